-- Company database on SQL Server: the same tables, keys and foreign keys as the embedded database.
-- Text comparisons follow the database's (case-insensitive) default collation.

CREATE TABLE An (
    An int NOT NULL PRIMARY KEY
);

-- Chart of accounts: classes, subclasses, accounts.
CREATE TABLE zContaGrupa (
    Grupa nvarchar(10) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE zContaSubGrupa (
    Grupa nvarchar(10) NOT NULL REFERENCES zContaGrupa (Grupa) ON DELETE NO ACTION ON UPDATE NO ACTION,
    SubGrupa nvarchar(10) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE zConta_Plan (
    Cont nvarchar(20) NOT NULL PRIMARY KEY,
    [Titlu Cont] nvarchar(100),
    SubGrupa nvarchar(10) NOT NULL REFERENCES zContaSubGrupa (SubGrupa) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Tip nvarchar(1) -- A active, P passive, B both
);

CREATE TABLE TVA (
    TVA int NOT NULL PRIMARY KEY,
    DenumireTVA nvarchar(50),
    [Cont TVA deductibil] nvarchar(20),
    [Cont TVA colectat] nvarchar(20)
);

-- VAT regimes: how an operation is taxed whatever its rate (normal, reverse charge, exempt with or
-- without the right of deduction), with the VAT accounts the regime posts to (empty: none).
CREATE TABLE RegimTVA (
    Regim nvarchar(10) NOT NULL PRIMARY KEY,
    Denumire nvarchar(50) NOT NULL,
    [Cont TVA deductibil] nvarchar(20) NOT NULL DEFAULT '',
    [Cont TVA colectat] nvarchar(20) NOT NULL DEFAULT ''
);

-- Products: groups, subgroups, customs codes, units, types and product codes.
CREATE TABLE GrupeProdus (
    [Grupa Produs] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100),
    Discount float NOT NULL DEFAULT 0
);

CREATE TABLE Subgrupeprodus (
    [Grupa Produs] nvarchar(20) NOT NULL REFERENCES GrupeProdus ([Grupa Produs]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Subgrupa Produs] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE [Cod Vamal] (
    [Cod Vamal] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE UnitateVanzare (
    [Unitate De Vanzare] nvarchar(10) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50)
);

CREATE TABLE TipuriProduse (
    [Tip Produs] nvarchar(20) NOT NULL PRIMARY KEY,
    Fel int NOT NULL DEFAULT 0 CHECK (Fel BETWEEN 0 AND 8),
    Descrire nvarchar(100),
    Cont nvarchar(20),
    [Cont Cheltuiala] nvarchar(20),
    [Cont Venit] nvarchar(20)
);

CREATE TABLE CoduriProdus (
    [Cod Produs] nvarchar(20) NOT NULL PRIMARY KEY,
    Denumire nvarchar(100),
    [Subgrupa Produs] nvarchar(20) NOT NULL REFERENCES Subgrupeprodus ([Subgrupa Produs]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Tip Produs] nvarchar(20) NOT NULL REFERENCES TipuriProduse ([Tip Produs]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Unitate De Vanzare] nvarchar(10) NOT NULL REFERENCES UnitateVanzare ([Unitate De Vanzare]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Cod Vamal] nvarchar(20) REFERENCES [Cod Vamal] ([Cod Vamal]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    TVA int NOT NULL REFERENCES TVA (TVA) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Pret money NOT NULL DEFAULT 0
);

-- Partners: types, categories, the partners and their bank accounts.
CREATE TABLE [Tip Client] (
    [Tip Client] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE [Tip Furnizor] (
    [Tip Furnizor] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100)
);

CREATE TABLE [Categorie Client] (
    [Categorie Client] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100),
    Cont nvarchar(20)
);

CREATE TABLE [Categorie Furnizor] (
    [Categorie Furnizor] nvarchar(20) NOT NULL PRIMARY KEY,
    Descriere nvarchar(100),
    Cont nvarchar(20)
);

CREATE TABLE Banci (
    [Cod Banca] int NOT NULL PRIMARY KEY,
    Descriere nvarchar(100),
    Adresa nvarchar(100),
    Telefon nvarchar(20),
    [Persoana Contact] nvarchar(50),
    Cont nvarchar(20)
);

CREATE TABLE Terti (
    CodTert nvarchar(20) NOT NULL PRIMARY KEY,
    Denumire nvarchar(100) NOT NULL,
    CodFiscal nvarchar(20),
    Adresa nvarchar(100),
    [Tip Client] nvarchar(20) REFERENCES [Tip Client] ([Tip Client]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Categorie Client] nvarchar(20) REFERENCES [Categorie Client] ([Categorie Client]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Tip Furnizor] nvarchar(20) REFERENCES [Tip Furnizor] ([Tip Furnizor]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Categorie Furnizor] nvarchar(20) REFERENCES [Categorie Furnizor] ([Categorie Furnizor]) ON DELETE NO ACTION ON UPDATE NO ACTION
);

CREATE TABLE ConturiBancare (
    IdCont int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    CodTert nvarchar(20) NOT NULL REFERENCES Terti (CodTert) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Cod Banca] int NOT NULL REFERENCES Banci ([Cod Banca]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    IBAN nvarchar(34) NOT NULL
);

-- Stock and cash.
CREATE TABLE Depozite (
    Depozit int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    [Denumire Depozit] nvarchar(50) NOT NULL UNIQUE,
    [Descriere Depozit] nvarchar(100),
    AdresaDepozitului nvarchar(100),
    Gestionar nvarchar(50),
    [Telefon Mobil] nvarchar(20),
    [Telefon Vetra] nvarchar(20),
    Custodie bit NOT NULL DEFAULT 0,
    Furnizori datetime,
    Clienti datetime,
    Altele datetime
);

CREATE TABLE Casierii (
    [Cod Casierie] int NOT NULL PRIMARY KEY,
    [Denumire Casierie] nvarchar(50),
    [Descriere Casierie] nvarchar(100),
    [Adresa Casierie] nvarchar(100),
    Casier nvarchar(50),
    [Telefon Mobil] nvarchar(20),
    [Telefon Vetra] nvarchar(20),
    Analitic nvarchar(20),
    CaleProgram nvarchar(255),
    NumeProgram nvarchar(100)
);

-- Document types: EC 2 other input, 3 other output, 4 transfer documents.
CREATE TABLE TipuriBonConsum (
    NumarBonConsum int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50) NOT NULL,
    Cont nvarchar(20),
    [Forma Tiparire] nvarchar(50),
    EC int NOT NULL CHECK (EC BETWEEN 2 AND 4),
    Transferabil bit NOT NULL DEFAULT 0,
    UNIQUE (EC, Descriere)
);

CREATE TABLE TipCorectie (
    IdTipCorectie int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50) NOT NULL
);

-- Receipt (Incasare 1) and payment (Incasare 0) operation types.
CREATE TABLE TipuriAPI (
    IdOp int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    DenumireOp nvarchar(50) NOT NULL,
    Cont nvarchar(20),
    ContTva nvarchar(20),
    Incasare bit NOT NULL DEFAULT 0,
    Jurnal bit NOT NULL DEFAULT 0
);

-- Cost centres: groups (Tip 0 category I, 1 category II), subgroups, production centres.
CREATE TABLE yC1 (
    Cod nvarchar(50) NOT NULL PRIMARY KEY,
    Denumire nvarchar(50),
    Tip int NOT NULL DEFAULT 0
);

CREATE TABLE yC2 (
    CodC nvarchar(50) NOT NULL PRIMARY KEY,
    Denumire nvarchar(50),
    Cod nvarchar(50) NOT NULL REFERENCES yC1 (Cod) ON DELETE NO ACTION ON UPDATE NO ACTION,
    R bit NOT NULL DEFAULT 0
);

CREATE TABLE pOft (
    Cod nvarchar(20) NOT NULL PRIMARY KEY,
    Denumire nvarchar(50),
    CodC nvarchar(50) REFERENCES yC1 (Cod) ON DELETE NO ACTION ON UPDATE NO ACTION,
    TMax float NOT NULL DEFAULT 1,
    TZi float NOT NULL DEFAULT 1,
    NrU bit NOT NULL DEFAULT 0
);

-- What production centres and cost subgroups are used by.
CREATE TABLE ConsumuriProductie (
    IdConsum int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Data datetime NOT NULL,
    Cod nvarchar(20) NOT NULL REFERENCES pOft (Cod) ON DELETE NO ACTION ON UPDATE NO ACTION,
    [Cod Produs] nvarchar(20) NOT NULL REFERENCES CoduriProdus ([Cod Produs]) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Cantitate float NOT NULL DEFAULT 0,
    Minute float NOT NULL DEFAULT 0
);

CREATE TABLE CheltuieliCentre (
    IdCheltuiala int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Data datetime NOT NULL,
    CodC nvarchar(50) NOT NULL REFERENCES yC2 (CodC) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Cont nvarchar(20) NOT NULL,
    Suma money NOT NULL DEFAULT 0
);

CREATE TABLE Cpp (
    P nvarchar(20) NOT NULL PRIMARY KEY,
    Denumire nvarchar(100),
    Telefon nvarchar(20),
    Adresa nvarchar(100)
);

-- Employees.
CREATE TABLE pTerti (
    Nume nvarchar(50) NOT NULL,
    Prenume nvarchar(50) NOT NULL,
    TipAngajat nvarchar(1) NOT NULL DEFAULT 'P',
    SeriaBi nvarchar(10),
    NrBi nvarchar(20),
    Eliberat nvarchar(50),
    MijlocT nvarchar(50),
    Auto nvarchar(20),
    PRIMARY KEY (Nume, Prenume)
);

-- Fixed assets: depreciation groups (years) and locations; piece-work norms.
CREATE TABLE mf_grupe (
    cod nvarchar(50) NOT NULL PRIMARY KEY,
    descriere nvarchar(50),
    amortizare int NOT NULL
);

CREATE TABLE mf_Sectii (
    Sectie nvarchar(50) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50)
);

CREATE TABLE sal_acordcod (
    Cod nvarchar(50) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50),
    Tarif money NOT NULL DEFAULT 0
);

-- Monthly overheads: Luna is the month number (1-12), Valoare the amount.
CREATE TABLE pRegie (
    IdRegie int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    T int NOT NULL,
    Luna int NOT NULL CHECK (Luna BETWEEN 1 AND 12),
    Valoare money NOT NULL DEFAULT 0,
    Denumire nvarchar(20)
);

-- Output document series and their packaging accounts (rows inserted by position).
CREATE TABLE SeriiDocumente (
    IdSerie int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Descriere nvarchar(50) NOT NULL,
    Tip nvarchar(1) NOT NULL DEFAULT 'F',
    Serie nvarchar(50) NOT NULL,
    FirstDoc int NOT NULL,
    LastDoc int NOT NULL,
    CurrentDoc int NOT NULL,
    TipFactura nvarchar(20),
    TipHartie nvarchar(10),
    NumarCopii int,
    NrLinFactura int,
    NrLinAmbalaje int NOT NULL DEFAULT 0,
    Casierie int REFERENCES Casierii ([Cod Casierie]) ON DELETE NO ACTION ON UPDATE NO ACTION
);

CREATE TABLE ConturiAmbalaje (
    IdSeriiD int NOT NULL REFERENCES SeriiDocumente (IdSerie) ON DELETE NO ACTION ON UPDATE NO ACTION,
    Cont nvarchar(20) NOT NULL,
    PRIMARY KEY (IdSeriiD, Cont)
);

-- Payroll: work groups, employees' groups, parameters per month and group, bracket tables.
CREATE TABLE sal_grupe (
    GRUPE nvarchar(50) NOT NULL PRIMARY KEY
);

CREATE TABLE sal_sal (
    Marca int NOT NULL PRIMARY KEY,
    Nume nvarchar(50) NOT NULL,
    Prenume nvarchar(50) NOT NULL,
    CNP nvarchar(13),
    Functia nvarchar(50),
    DataAngajarii datetime,
    SalarBaza money NOT NULL DEFAULT 0,
    GrupaMunca nvarchar(50) NOT NULL
);
CREATE TABLE sal_para (
    T int NOT NULL CHECK (T BETWEEN 1 AND 12),
    GRUPA nvarchar(50) NOT NULL,
    LUNA nvarchar(20),
    V bit NOT NULL DEFAULT 0,
    -- employer contributions: rate, debit account, credit account, flag
    CASF float NOT NULL DEFAULT 0,
    CASFCH nvarchar(20) NOT NULL DEFAULT '',
    CASFCT nvarchar(20) NOT NULL DEFAULT '',
    CASSI bit NOT NULL DEFAULT 0,
    SOMF float NOT NULL DEFAULT 0,
    SOMFCH nvarchar(20) NOT NULL DEFAULT '',
    SOMFCT nvarchar(20) NOT NULL DEFAULT '',
    SOMSI bit NOT NULL DEFAULT 0,
    SANAF float NOT NULL DEFAULT 0,
    SANAFCH nvarchar(20) NOT NULL DEFAULT '',
    SANAFCT nvarchar(20) NOT NULL DEFAULT '',
    SANASI bit NOT NULL DEFAULT 0,
    HANF float NOT NULL DEFAULT 0,
    HANFCH nvarchar(20) NOT NULL DEFAULT '',
    HANFCT nvarchar(20) NOT NULL DEFAULT '',
    HANSI bit NOT NULL DEFAULT 0,
    FHANF float NOT NULL DEFAULT 0,
    FHANFCH nvarchar(20) NOT NULL DEFAULT '',
    FHANFCT nvarchar(20) NOT NULL DEFAULT '',
    FHANSI bit NOT NULL DEFAULT 0,
    INVF float NOT NULL DEFAULT 0,
    INVFCH nvarchar(20) NOT NULL DEFAULT '',
    INVFCT nvarchar(20) NOT NULL DEFAULT '',
    INVSI bit NOT NULL DEFAULT 0,
    CM float NOT NULL DEFAULT 0,
    CMCH nvarchar(20) NOT NULL DEFAULT '',
    CMCT nvarchar(20) NOT NULL DEFAULT '',
    CMSI bit NOT NULL DEFAULT 0,
    F1 float NOT NULL DEFAULT 0,
    F1CH nvarchar(20) NOT NULL DEFAULT '',
    F1CT nvarchar(20) NOT NULL DEFAULT '',
    F1SI bit NOT NULL DEFAULT 0,
    -- employee contributions (the advance's credit account is AVANSC)
    SOMS float NOT NULL DEFAULT 0,
    SOMCCH nvarchar(20) NOT NULL DEFAULT '',
    SOMCCT nvarchar(20) NOT NULL DEFAULT '',
    SOMCSB bit NOT NULL DEFAULT 0,
    SOMP float NOT NULL DEFAULT 0,
    SOMPCH nvarchar(20) NOT NULL DEFAULT '',
    SOMPCT nvarchar(20) NOT NULL DEFAULT '',
    SOMPSB bit NOT NULL DEFAULT 0,
    CASS float NOT NULL DEFAULT 0,
    CASSCH nvarchar(20) NOT NULL DEFAULT '',
    CASSCT nvarchar(20) NOT NULL DEFAULT '',
    CASSSB bit NOT NULL DEFAULT 0,
    PENS float NOT NULL DEFAULT 0,
    PENSCH nvarchar(20) NOT NULL DEFAULT '',
    PENSCT nvarchar(20) NOT NULL DEFAULT '',
    PENSSB bit NOT NULL DEFAULT 0,
    AVANS float NOT NULL DEFAULT 0,
    AVANSCH nvarchar(20) NOT NULL DEFAULT '',
    AVANSC nvarchar(20) NOT NULL DEFAULT '',
    AVANSSB bit NOT NULL DEFAULT 0,
    P1 float NOT NULL DEFAULT 0,
    P1CH nvarchar(20) NOT NULL DEFAULT '',
    P1CT nvarchar(20) NOT NULL DEFAULT '',
    P1SB bit NOT NULL DEFAULT 0,
    C1 float NOT NULL DEFAULT 0,
    C1CH nvarchar(20) NOT NULL DEFAULT '',
    C1CT nvarchar(20) NOT NULL DEFAULT '',
    C1SB bit NOT NULL DEFAULT 0,
    -- income tax account, deductions and other constants
    IMPCT nvarchar(20) NOT NULL DEFAULT '',
    DP float NOT NULL DEFAULT 0,
    CP float NOT NULL DEFAULT 0,
    DBA float NOT NULL DEFAULT 0,
    COEFCP float NOT NULL DEFAULT 0,
    SS float NOT NULL DEFAULT 0,
    DOIC float NOT NULL DEFAULT 0,
    RESTC float NOT NULL DEFAULT 0,
    ALTP float NOT NULL DEFAULT 0,
    INVI float NOT NULL DEFAULT 0,
    COEFMAX float NOT NULL DEFAULT 0,
    INVII float NOT NULL DEFAULT 0,
    CB float NOT NULL DEFAULT 0,
    SALMED float NOT NULL DEFAULT 0,
    SALMIN float NOT NULL DEFAULT 0,
    MAXCIC float NOT NULL DEFAULT 0,
    TLL float NOT NULL DEFAULT 0,
    CCO float NOT NULL DEFAULT 0,
    SN float NOT NULL DEFAULT 0,
    HSUP float NOT NULL DEFAULT 0,
    NrLuniCM float NOT NULL DEFAULT 0,
    SALCAS float NOT NULL DEFAULT 0,
    PRIMARY KEY (T, GRUPA)
);

-- Bracket tables per month: TIP 0 monthly income tax, 1 annual income tax, 2 seniority bonus.
-- A bracket runs from DELA to PANALA with a fixed amount CONST and a percent PR.
CREATE TABLE sal_imp (
    IdImp int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    T int NOT NULL CHECK (T BETWEEN 1 AND 12),
    TIP int NOT NULL CHECK (TIP BETWEEN 0 AND 2),
    DELA float NOT NULL DEFAULT 0,
    PANALA float NOT NULL DEFAULT 0,
    CONST float NOT NULL DEFAULT 0,
    PR float NOT NULL DEFAULT 0
);

-- Audit trail: one row per change of a row, written in the transaction of the change and never
-- deleted. Moment is UTC; action A added, M modified, S deleted; the values are JSON objects (for
-- a modification only the columns that changed), NULL for the side that has no row.
CREATE TABLE JurnalModificari (
    Id int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Moment datetime2(3) NOT NULL DEFAULT SYSUTCDATETIME(),
    IdUtilizator int NOT NULL,
    IdSocietate int NOT NULL,
    Fereastra nvarchar(100),
    Tabela nvarchar(100) NOT NULL,
    Cheie nvarchar(255) NOT NULL,
    Actiune nvarchar(1) NOT NULL CHECK (Actiune IN ('A', 'M', 'S')),
    ValoriInainte nvarchar(max),
    ValoriDupa nvarchar(max)
);
CREATE INDEX JurnalModificariRand ON JurnalModificari (Tabela, Cheie);
