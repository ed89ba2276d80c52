-- Customers. Number 99999 is the cash sale, which an invoice falls back to when the typed
-- customer number is unknown.
CREATE TABLE Kunden (ID INT, NRKD CHAR(13), SUCHNAME CHAR(40), FIRMA CHAR(30), VORNAME CHAR(30), NAME CHAR(30),
  STRASSE CHAR(40), LAND CHAR(3), PLZ CHAR(5), ORT CHAR(30), SKONTO FLOAT, SKONTOTAGE INT, NETTOTAGE INT);
INSERT INTO Kunden VALUES (0, '99999', 'BARVERKAUF', 'Barverkauf', '', '', '', '', '', '', 0, 0, 0);
