-- Administration database (AdmTivra) on SQL Server; run it in the database AdmTivra.
-- Rights: the exact row (user, company, screen code, action) decides first, then the row with
-- Cod '*' for the same user, company and action; without either the action is refused.
CREATE TABLE Societati (
    ID int NOT NULL PRIMARY KEY,
    Societate nvarchar(50) NOT NULL,
    DenumireS nvarchar(100),
    ModalitateCalcul nvarchar(10),
    Exercitiu int,
    Adresa nvarchar(100),
    Orasul nvarchar(50),
    Judetul nvarchar(50),
    Tel1 nvarchar(20),
    Tel2 nvarchar(20),
    Tel3 nvarchar(20),
    Tel4 nvarchar(20),
    CodFiscal nvarchar(20),
    J nvarchar(30),
    Banca nvarchar(50),
    ContBanca nvarchar(34),
    Cafea nvarchar(30),
    Alcool nvarchar(30),
    Tigari nvarchar(30),
    CalculPump nvarchar(20), -- month name up to which stock values are calculated
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

CREATE TABLE Utilizatori (
    IdUser int NOT NULL PRIMARY KEY,
    Nume nvarchar(50) NOT NULL
);

CREATE TABLE Drepturi (
    IdUser int NOT NULL REFERENCES Utilizatori (IdUser) ON DELETE NO ACTION ON UPDATE NO ACTION,
    IdSoc int NOT NULL REFERENCES Societati (ID) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Cod nvarchar(50) NOT NULL,
    Actiune nvarchar(1) NOT NULL CHECK (Actiune IN ('A', 'M', 'S')),
    Permis bit NOT NULL DEFAULT 0,
    PRIMARY KEY (IdUser, IdSoc, Cod, Actiune)
);
