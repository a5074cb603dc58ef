-- A legacy database of character set NONE: one visit with two served analyses whose types read
-- alike, 'HÉMATO' in Windows-1252 bytes and in UTF-8 bytes.
insert into LISTE_TIRVO values (1, '02/03/2026001', '1', x'4C6566E8767265', x'48E96CE86E65', '2026-03-02', null, 'F', 'True', 255, x'48C94D41544F', 12695295);
insert into LISTE_TIRVO values (2, '02/03/2026001', '1', x'4C6566E8767265', x'48E96CE86E65', '2026-03-02', null, 'F', 'True', 65280, x'48C3894D41544F', 12695295);
