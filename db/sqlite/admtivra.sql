-- Administration database (AdmTivra) of the embedded backend. The script runs on the company
-- connection, with the administration file attached under the name AdmTivra.
--
-- Rights: one row per user, company, screen code and action letter (A add, M modify, S delete).
-- Cod '*' stands for every screen. The exact row decides first, then the '*' row of the same
-- user, company and action; without either the action is refused.
-- Taking a right away (used by the scenario step "deny CODE LETTER"):
--   INSERT OR REPLACE INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis)
--   VALUES (<user>, <company>, '<CODE>', '<LETTER>', 0);

CREATE TABLE AdmTivra.Societati (
    ID int NOT NULL PRIMARY KEY,
    Societate nvarchar(50) COLLATE NOCASE NOT NULL,
    DenumireS nvarchar(100) COLLATE NOCASE,
    ModalitateCalcul nvarchar(10) COLLATE NOCASE,
    Exercitiu int,
    Adresa nvarchar(100) COLLATE NOCASE,
    Orasul nvarchar(50) COLLATE NOCASE,
    Judetul nvarchar(50) COLLATE NOCASE,
    Tel1 nvarchar(20) COLLATE NOCASE,
    Tel2 nvarchar(20) COLLATE NOCASE,
    Tel3 nvarchar(20) COLLATE NOCASE,
    Tel4 nvarchar(20) COLLATE NOCASE,
    CodFiscal nvarchar(20) COLLATE NOCASE,
    J nvarchar(30) COLLATE NOCASE,
    Banca nvarchar(50) COLLATE NOCASE,
    ContBanca nvarchar(34) COLLATE NOCASE,
    Cafea nvarchar(30) COLLATE NOCASE,
    Alcool nvarchar(30) COLLATE NOCASE,
    Tigari nvarchar(30) COLLATE NOCASE,
    CalculPump nvarchar(20) COLLATE NOCASE, -- month name up to which stock values are calculated
    JV datetime,
    JC datetime,
    AI datetime,
    AP datetime,
    OD datetime,
    Sal datetime,
    Incasari datetime,
    Plati datetime,
    Corectii datetime,
    Curs datetime
);

CREATE TABLE AdmTivra.Utilizatori (
    IdUser int NOT NULL PRIMARY KEY,
    Nume nvarchar(50) COLLATE NOCASE NOT NULL
);

CREATE TABLE AdmTivra.Drepturi (
    IdUser int NOT NULL REFERENCES Utilizatori (IdUser) ON DELETE NO ACTION ON UPDATE NO ACTION,
    IdSoc int NOT NULL REFERENCES Societati (ID) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Cod nvarchar(50) COLLATE NOCASE NOT NULL,
    Actiune nvarchar(1) COLLATE NOCASE NOT NULL CHECK (Actiune IN ('A', 'M', 'S')),
    Permis bit NOT NULL DEFAULT 0,
    PRIMARY KEY (IdUser, IdSoc, Cod, Actiune)
);
