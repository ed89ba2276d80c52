-- The seller's company data; the program reads and edits the first row.
CREATE TABLE Firma (ID INT, Firma CHAR(40), Name1 CHAR(40), Name2 CHAR(40), Strasse CHAR(50), Plz CHAR(7),
  Ort CHAR(40), Telefon CHAR(25), Fax CHAR(25), EMail CHAR(50), BLZ CHAR(8), KTO CHAR(10), Bank CHAR(50),
  SteuerNr CHAR(15), MwSt FLOAT, FASatz FLOAT);
INSERT INTO Firma VALUES (1, 'Forstbetrieb Muster', 'Max Mustermann', '', 'Waldweg 1', '12345', 'Musterstadt',
  '01234 5678', '01234 5679', 'info@forst-muster.example', '12345678', '1234567890', 'Musterbank',
  '12/345/67890', 19, 0);
