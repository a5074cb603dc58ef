-- Three waiting visits on 2026-03-02, one served analysis, and a visit of another date.
insert into LISTE_TIRVO values (1, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', '2026-03-02 07:31', 'F', null, 255, 'HÉMATO', 12695295);
insert into LISTE_TIRVO values (2, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', '2026-03-02 07:31', 'F', null, 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (3, '02/03/2026002', '2', 'Benaïssa', 'François', '2026-03-02', '2026-03-02 07:40', 'M', null, 16711680, 'SÉROLOGIE', 16436871);
insert into LISTE_TIRVO values (4, '02/03/2026002', '2', 'Benaïssa', 'François', '2026-03-02', '2026-03-02 07:40', 'M', 'True', 255, 'HÉMATO', 16436871);
insert into LISTE_TIRVO values (5, '02/03/2026003', '3', null, 'Zoé', '2026-03-02', '2026-03-02 07:52', 'F', null, 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (6, '01/03/2026001', '1', 'Noël', 'Jérôme', '2026-03-01', '2026-03-01 08:00', 'M', null, 255, 'HÉMATO', 16436871);
