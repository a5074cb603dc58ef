-- Served calls around 2026-03-02, for the review window. Visit 001 has one served and one waiting
-- analysis; visit 002 two served ones; visit 003 a served row today and another one, with a time
-- of day, on 2026-03-09. 2026-02-28 has a waiting row only. The row keyed '0'/'0' is what an
-- un-validation with the placeholder keys would hit.
insert into LISTE_TIRVO values (1, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', '2026-03-02 07:31', 'F', 'True', 255, 'HÉMATO', 12695295);
insert into LISTE_TIRVO values (2, '02/03/2026001', '1', 'Lefèvre', 'Hélène', '2026-03-02', '2026-03-02 07:31', 'F', null, 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (3, '02/03/2026002', '2', 'Benaïssa', 'François', '2026-03-02', '2026-03-02 07:40', 'M', 'True', 16711680, 'SÉROLOGIE', 16436871);
insert into LISTE_TIRVO values (4, '02/03/2026002', '2', 'Benaïssa', 'François', '2026-03-02', '2026-03-02 07:40', 'M', 'True', 255, 'HÉMATO', 16436871);
insert into LISTE_TIRVO values (5, '02/03/2026003', '3', null, 'Zoé', '2026-03-02', '2026-03-02 07:52', 'F', 'True', 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (6, '02/03/2026003', '3', null, 'Zoé', '2026-03-09 10:30', '2026-03-09 10:30', 'F', 'True', 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (7, '01/03/2026001', '4', 'Noël', 'Jérôme', '2026-03-01', '2026-03-01 08:00', 'M', 'True', 255, 'HÉMATO', 16436871);
insert into LISTE_TIRVO values (8, '28/02/2026001', '5', 'Martin', 'Luc', '2026-02-28', '2026-02-28 08:10', 'M', null, 255, 'HÉMATO', 16436871);
insert into LISTE_TIRVO values (9, '0', '9', 'Zéro', 'Test', '2026-03-05', '2026-03-05 08:00', 'F', 'True', 0, '0', 0);
