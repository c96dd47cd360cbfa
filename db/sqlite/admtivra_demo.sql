-- Demo rows of the administration database (AdmTivra).

-- The demo company with its accounting state.
INSERT INTO AdmTivra.Societati (ID, Societate, DenumireS, ModalitateCalcul, Exercitiu, Adresa, Orasul, Judetul, Tel1, Tel2, Tel3, Tel4, CodFiscal, J, Banca, ContBanca, Cafea, Alcool, Tigari, CalculPump, JV, JC, AI, AP, OD, Sal, Incasari, Plati, Corectii, Curs) VALUES (1, 'LEMNART', 'LEMNART PRODCOM SRL', 'CMP', 2026, 'Str. Fabricii nr. 12', 'Cluj-Napoca', 'Cluj', '0264111222', '0264111223', '0740111000', '', 'RO10203045', 'J12/1234/2015', 'Banca Transilvania', 'RO06BTRL01301202A1234500', '', '', '', 'martie', '2026-03-31', '2026-03-31', '2026-04-15', '2026-04-15', '2026-02-28', '2026-03-31', '2026-04-20', '2026-04-20', '2026-03-31', '2026-04-24');

-- Users and rights: user 1 may do everything, user 2 may add and modify but not delete.
INSERT INTO AdmTivra.Utilizatori (IdUser, Nume) VALUES (1, 'Administrator');
INSERT INTO AdmTivra.Utilizatori (IdUser, Nume) VALUES (2, 'Operator');
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'A', 1);
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'M', 1);
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (1, 1, '*', 'S', 1);
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'A', 1);
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'M', 1);
INSERT INTO AdmTivra.Drepturi (IdUser, IdSoc, Cod, Actiune, Permis) VALUES (2, 1, '*', 'S', 0);
