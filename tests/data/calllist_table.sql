-- The call-list table as the registration program creates it.
create table LISTE_TIRVO (
  NUM_TIRVO integer not null primary key,
  COD_RECH varchar(13) not null,
  NUM_PAS varchar(30) not null,
  NOM_PAS varchar(30),
  PRE_PAS varchar(30),
  DAT_VIS timestamp,
  TEMP_PAS timestamp,
  SEXE_PAS char(1),
  VALIDE varchar(5),
  COLOR integer,
  TYPE_PARA varchar(30),
  COLOR_SEXE integer
);
