-- Working prices of the invoice being prepared; filled from Grundpreise by position.
CREATE TABLE Preise (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), ABZUG FLOAT, PREIS FLOAT, PROZENT FLOAT, PREISSAVE FLOAT);
