-- Stored procedures of the company database (SQL Server). The embedded backend has the same
-- three procedures natively, with the same parameters, return values and refusals.

-- Vezi: RETURN 1 refuses the action, 0 allows it. The row of the exact screen code decides first,
-- then the row with Cod '*' of the same user, company and action; without either, refused.
IF OBJECT_ID(N'dbo.Vezi', N'P') IS NOT NULL DROP PROCEDURE dbo.Vezi;
GO
CREATE PROCEDURE dbo.Vezi
    @nr nvarchar(50),
    @tip nvarchar(1),
    @user bigint,
    @IdSoc bigint
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @permis bit;
    SELECT TOP 1 @permis = Permis
      FROM AdmTivra.dbo.Drepturi
     WHERE IdUser = @user AND IdSoc = @IdSoc AND Actiune = @tip AND Cod IN (@nr, N'*')
     ORDER BY CASE WHEN Cod = N'*' THEN 1 ELSE 0 END;
    IF @permis = 1
        RETURN 0;
    RETURN 1;
END
GO

-- Sterge: deletes a bank (5), cash desk (6), production centre (7) or cost-centre subgroup (9),
-- or raises an error saying what still uses it. @NumeSoc names the company database.
IF OBJECT_ID(N'dbo.Sterge', N'P') IS NOT NULL DROP PROCEDURE dbo.Sterge;
GO
CREATE PROCEDURE dbo.Sterge
    @NumeSoc nvarchar(50),
    @what int,
    @varInt int,
    @varString nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    IF @what = 5
    BEGIN
        IF EXISTS (SELECT 1 FROM dbo.ConturiBancare WHERE [Cod Banca] = @varInt)
        BEGIN
            RAISERROR(N'Banca este folosita in conturile bancare ale tertilor si nu poate fi stearsa !', 16, 1);
            RETURN;
        END
        DELETE FROM dbo.Banci WHERE [Cod Banca] = @varInt;
        RETURN 0;
    END
    IF @what = 6
    BEGIN
        IF EXISTS (SELECT 1 FROM dbo.SeriiDocumente WHERE Casierie = @varInt)
        BEGIN
            RAISERROR(N'Casieria este folosita in seriile de documente si nu poate fi stearsa !', 16, 1);
            RETURN;
        END
        DELETE FROM dbo.Casierii WHERE [Cod Casierie] = @varInt;
        RETURN 0;
    END
    IF @what = 7
    BEGIN
        IF EXISTS (SELECT 1 FROM dbo.ConsumuriProductie WHERE Cod = @varString)
        BEGIN
            RAISERROR(N'Centrul de productie este folosit in consumurile de productie si nu poate fi sters !', 16, 1);
            RETURN;
        END
        DELETE FROM dbo.pOft WHERE Cod = @varString;
        RETURN 0;
    END
    IF @what = 9
    BEGIN
        IF EXISTS (SELECT 1 FROM dbo.CheltuieliCentre WHERE CodC = @varString)
        BEGIN
            RAISERROR(N'Subgrupa de centre este folosita in cheltuielile centrelor si nu poate fi stearsa !', 16, 1);
            RETURN;
        END
        DELETE FROM dbo.yC2 WHERE CodC = @varString;
        RETURN 0;
    END
    RAISERROR(N'Parametru what necunoscut', 16, 1);
    RETURN;
END
GO

-- Start: adds (15), modifies (13) or deletes (14) a document series of SeriiDocumente.
-- RETURN 10 refuses and changes nothing: adding a series code that exists; changing the type,
-- series code or first number once documents were issued (CurrentDoc > FirstDoc), or taking the
-- code of another series; deleting a series with issued documents. RETURN 11 refuses a last
-- number below the document in progress, RETURN 12 a description another series has (trailing
-- blanks do not count). Otherwise RETURN 0.
IF OBJECT_ID(N'dbo.Start', N'P') IS NOT NULL DROP PROCEDURE dbo.Start;
GO
CREATE PROCEDURE dbo.Start
    @Name nvarchar(50),
    @Document nvarchar(50),          -- Descriere
    @Dep int,                        -- NrLinFactura
    @Operatiune tinyint,             -- 13 modify, 14 delete, 15 add
    @ec tinyint,
    @IdTop int,                      -- IdSerie for 13 and 14
    @DataDoc datetime,
    @DataPlatii datetime,
    @Agent int,                      -- FirstDoc
    @DenumireAgent nvarchar(50),     -- Serie
    @Client nvarchar(50),            -- Casierie; '0' or '' for none
    @DenumireClient nvarchar(50),
    @DebitMaxim money,
    @SoldTotal money,
    @TipValuta nvarchar(20),         -- Tip: 'A' delivery note, 'F' invoice
    @CursV tinyint,                  -- NumarCopii
    @DocTransferat nvarchar(50),     -- TipFactura
    @TipBon int,                     -- LastDoc
    @DescriereDepozit nvarchar(50),  -- TipHartie
    @catreDep int,                   -- NrLinAmbalaje
    @DesDepozit nvarchar(50),
    @Primitor nvarchar(50),          -- series code before a change
    @IntoarceDocument nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @casierie int = CASE WHEN @Client IS NULL OR LTRIM(RTRIM(@Client)) IN (N'', N'0') THEN NULL
                                 ELSE CONVERT(int, @Client) END;
    DECLARE @ambalaje int = ISNULL(@catreDep, 0);

    IF @Operatiune = 15
    BEGIN
        IF EXISTS (SELECT 1 FROM dbo.SeriiDocumente WHERE Serie = @DenumireAgent)
            RETURN 10;
        IF EXISTS (SELECT 1 FROM dbo.SeriiDocumente WHERE RTRIM(Descriere) = RTRIM(@Document))
            RETURN 12;
        INSERT INTO dbo.SeriiDocumente (Descriere, Tip, Serie, FirstDoc, LastDoc, CurrentDoc, TipFactura,
                                        TipHartie, NumarCopii, NrLinFactura, NrLinAmbalaje, Casierie)
        VALUES (@Document, @TipValuta, @DenumireAgent, @Agent, @TipBon, @Agent, @DocTransferat,
                @DescriereDepozit, @CursV, @Dep, @ambalaje, @casierie);
        RETURN 0;
    END

    IF @Operatiune NOT IN (13, 14)
    BEGIN
        RAISERROR(N'Operatiune necunoscuta: %d', 16, 1, @Operatiune);
        RETURN;
    END

    DECLARE @tip nvarchar(1), @serie nvarchar(50), @first int, @current int;
    SELECT @tip = Tip, @serie = Serie, @first = FirstDoc, @current = CurrentDoc
      FROM dbo.SeriiDocumente WHERE IdSerie = @IdTop;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR(N'Seria de documente %d nu exista !', 16, 1, @IdTop);
        RETURN;
    END
    DECLARE @issued bit = CASE WHEN @current > @first THEN 1 ELSE 0 END;

    IF @Operatiune = 14
    BEGIN
        IF @issued = 1
            RETURN 10;
        BEGIN TRANSACTION;
        DELETE FROM dbo.ConturiAmbalaje WHERE IdSeriiD = @IdTop;
        DELETE FROM dbo.SeriiDocumente WHERE IdSerie = @IdTop;
        COMMIT TRANSACTION;
        RETURN 0;
    END

    IF @issued = 1 AND (LTRIM(RTRIM(@tip)) <> LTRIM(RTRIM(ISNULL(@TipValuta, N'')))
                        OR LTRIM(RTRIM(@serie)) <> LTRIM(RTRIM(ISNULL(@DenumireAgent, N'')))
                        OR @Agent IS NULL OR @first <> @Agent)
        RETURN 10;
    IF EXISTS (SELECT 1 FROM dbo.SeriiDocumente WHERE Serie = @DenumireAgent AND IdSerie <> @IdTop)
        RETURN 10;
    IF @issued = 1 AND @TipBon < @current
        RETURN 11;
    IF EXISTS (SELECT 1 FROM dbo.SeriiDocumente WHERE RTRIM(Descriere) = RTRIM(@Document) AND IdSerie <> @IdTop)
        RETURN 12;
    -- Until a document is issued the series starts again at its (new) first number.
    UPDATE dbo.SeriiDocumente
       SET Descriere = @Document, Tip = @TipValuta, Serie = @DenumireAgent, FirstDoc = @Agent, LastDoc = @TipBon,
           CurrentDoc = CASE WHEN CurrentDoc > FirstDoc THEN CurrentDoc ELSE @Agent END,
           TipFactura = @DocTransferat, TipHartie = @DescriereDepozit, NumarCopii = @CursV,
           NrLinFactura = @Dep, NrLinAmbalaje = @ambalaje, Casierie = @casierie
     WHERE IdSerie = @IdTop;
    RETURN 0;
END
GO
