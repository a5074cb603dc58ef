-- Rows of 2026-03-02 that catch the board's faults. Columns: NUM_TIRVO, COD_RECH, NUM_PAS,
-- NOM_PAS, PRE_PAS, DAT_VIS, TEMP_PAS, SEXE_PAS, VALIDE, COLOR, TYPE_PARA, COLOR_SEXE.
-- Visit 010: waiting marks NULL and empty (two patient rows), a served row, a row of another
-- mark, rows without analysis type, and a waiting row of another date.
insert into LISTE_TIRVO values (101, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', null, 255, 'HÉMATO', 12695295);
insert into LISTE_TIRVO values (102, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', '', 65280, 'BIOCHIMIE', 12695295);
insert into LISTE_TIRVO values (103, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', 'True', 255, 'SÉROLOGIE', 12695295);
insert into LISTE_TIRVO values (104, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', 'X', 255, 'COAG', 12695295);
insert into LISTE_TIRVO values (105, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', null, 255, null, 12695295);
insert into LISTE_TIRVO values (106, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-03-02', null, 'F', null, 255, '', 12695295);
insert into LISTE_TIRVO values (107, '02/03/2026010', '10', 'Lefèvre', 'Hélène', '2026-02-20', null, 'F', null, 255, 'URINES', 12695295);
-- Ticket numbers that are no component name, a NULL surname, NULL colours.
insert into LISTE_TIRVO values (111, '02/03/2026020', '2/1', 'Noël', 'Jérôme', '2026-03-02', null, 'M', null, null, 'HÉMATO', null);
insert into LISTE_TIRVO values (121, '02/03/2026030', 'É 3', null, 'Zoé', '2026-03-02', null, 'F', null, 65280, 'BIOCHIMIE', 12695295);
-- A second visit with ticket number 10.
insert into LISTE_TIRVO values (131, '02/03/2026040', '10', 'Dupré', 'Noémie', '2026-03-02', null, 'F', null, 255, 'GROUPAGE', 12695295);
insert into LISTE_TIRVO values (132, '02/03/2026040', '10', 'Dupré', 'Noémie', '2026-03-02', null, 'F', null, 255, 'COAG', 12695295);
-- A visit date with a time of day: served list only.
insert into LISTE_TIRVO values (141, '02/03/2026050', '50', 'Heure', 'Avec', '2026-03-02 10:15', null, 'M', null, 255, 'HÉMATO', 16436871);
insert into LISTE_TIRVO values (142, '02/03/2026050', '50', 'Heure', 'Avec', '2026-03-02 10:15', null, 'M', 'True', 255, 'URINES', 16436871);
-- An empty visit code.
insert into LISTE_TIRVO values (151, '', '60', 'Vide', 'Code', '2026-03-02', null, 'M', null, 255, 'HÉMATO', 16436871);
