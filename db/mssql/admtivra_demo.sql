-- Demo rows of the administration database (AdmTivra).
-- Runs in the administration database.
SET NOCOUNT ON;

-- The demo company with its accounting state.
INSERT INTO Societati (ID, Societate, DenumireS, ModalitateCalcul, Exercitiu, Adresa, Orasul, Judetul, Tel1, Tel2, Tel3, Tel4, CodFiscal, J, Banca, ContBanca, Cafea, Alcool, Tigari, CalculPump, JV, JC, AI, AP, OD, Sal, Incasari, Plati, Corectii, Curs) VALUES (1, 'LEMNART', 'LEMNART PRODCOM SRL', 'CMP', 2026, 'Str. Fabricii nr. 12', 'Cluj-Napoca', 'Cluj', '0264111222', '0264111223', '0740111000', '', 'RO10203045', 'J12/1234/2015', 'Banca Transilvania', 'RO06BTRL01301202A1234500', '', '', '', 'martie', '20260331', '20260331', '20260415', '20260415', '20260228', '20260331', '20260420', '20260420', '20260331', '20260424');

-- Users and rights: user 1 may do everything, user 2 may add and modify but not delete.
INSERT INTO Utilizatori (IdUser, Nume) VALUES (1, 'Administrator');
INSERT INTO Utilizatori (IdUser, Nume) VALUES (2, 'Operator');
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'A', 1);
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'M', 1);
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'S', 1);
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'A', 1);
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'M', 1);
INSERT INTO Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'S', 0);
