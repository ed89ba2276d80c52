-- Lines of the invoice being prepared; filled by position.
CREATE TABLE Rechnung (GUETEKLASSE CHAR(3), STAERKEKLASSE CHAR(3), VOLUMEN FLOAT, PREIS FLOAT);
