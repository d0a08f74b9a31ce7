-- The oldest layout of the clock database that the program opens. Column names are matched without
-- regard to case, so spellings that differ only in case (LateINmessage / LateINMessage) are one
-- column. Times are local 'yyyy-MM-dd HH:mm:ss' text, day numbers count from 1899-12-30, money is an
-- integer count of ten-thousandths, yes/no is 0 or 1.

CREATE TABLE "In Out" (
    "Time" TEXT,
    "Employee ID" TEXT COLLATE NOCASE,
    "Clock out" INTEGER NOT NULL DEFAULT 0,
    "Julian" INTEGER,
    "Employee" TEXT,
    "Record number" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Tips" INTEGER,
    "Dnumber" INTEGER,
    "InEarly" INTEGER NOT NULL DEFAULT 0,
    "InLate" INTEGER NOT NULL DEFAULT 0,
    "OutEarly" INTEGER NOT NULL DEFAULT 0,
    "OutLate" INTEGER NOT NULL DEFAULT 0
);
-- An employee's records in latest-first order without touching anyone else's rows.
CREATE INDEX "ID" ON "In Out" ("Employee ID", "Julian", "Record number");
CREATE INDEX "JUIDRN" ON "In Out" ("Julian", "Employee ID", "Record number");
CREATE UNIQUE INDEX "RecNumber" ON "In Out" ("Record number");

CREATE TABLE "Employee" (
    "Employee" TEXT,
    "Employee number" INTEGER,
    "Julian" INTEGER,
    "Employee ID" TEXT COLLATE NOCASE,
    "Department number" INTEGER,
    "Start" INTEGER,
    "Stop" INTEGER
);
-- Index names are per database: the ID index of "In Out" has the plain name.
CREATE INDEX "Employee_ID" ON "Employee" ("Employee ID");

CREATE TABLE "Application" (
    "Version" INTEGER,
    "PW" TEXT,
    "Options" INTEGER,
    "EarlyMessage" TEXT,
    "LateMessage" TEXT,
    "EarlyLimit" INTEGER,
    "LateLimit" INTEGER,
    "PictureDays" INTEGER,
    "EnterID" TEXT,
    "TipsWord" TEXT,
    "ClockingIN" TEXT,
    "ClockingOUT" TEXT,
    "NotFound" TEXT,
    "TryAgain" TEXT,
    "GoodMorning" TEXT,
    "GoodNight" TEXT
);
