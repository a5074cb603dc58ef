-- Four waiting visits of 2026-03-02, in the board's order: two analyses, a ticket written with
-- leading zeros, a ticket that is no number, and a last patient with one analysis.
insert into LISTE_TIRVO values (1, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', null, 255, 'HÉMATO', 12695295);
insert into LISTE_TIRVO values (2, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', null, 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (3, '02/03/2026002', '007', 'Benaïssa', 'François', '2026-03-02', null, 'M', null, 65280, 'SÉROLOGIE', 16436871);
insert into LISTE_TIRVO values (4, '02/03/2026003', 'A12', 'Noël', 'Zoé', '2026-03-02', null, 'F', null, 255, 'COAG', 12695295);
insert into LISTE_TIRVO values (5, '02/03/2026004', '305', 'Dupré', 'Jérôme', '2026-03-02', null, 'M', null, 255, 'HÉMATO', 16436871);
