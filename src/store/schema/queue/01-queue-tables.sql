-- A station's own queue (Queue.db in the program folder): punches taken while the server was away,
-- and the cache they are decided from. Queue files from before the numbered layouts have these
-- tables already.
CREATE TABLE IF NOT EXISTS "Queued punches" (
    "Sequence" INTEGER PRIMARY KEY AUTOINCREMENT, "Time" TEXT, "Employee ID" TEXT NOT NULL,
    "Clock out" INTEGER NOT NULL, "Julian" INTEGER, "Employee" TEXT, "Tips" INTEGER,
    "Dnumber" INTEGER, "InEarly" INTEGER, "InLate" INTEGER, "OutEarly" INTEGER,
    "OutLate" INTEGER, "Options" INTEGER, "Created" TEXT);
CREATE TABLE IF NOT EXISTS "Known punches" (
    "Employee ID" TEXT PRIMARY KEY, "Clock out" INTEGER NOT NULL, "Time" TEXT);
CREATE TABLE IF NOT EXISTS "Staff" ("Employee ID" TEXT PRIMARY KEY, "Employee" TEXT,
    "Employee number" INTEGER, "Julian" INTEGER, "Dnumber" INTEGER, "Start" INTEGER,
    "Stop" INTEGER);
CREATE TABLE IF NOT EXISTS "Settings" ("Field" TEXT PRIMARY KEY, "Value");
CREATE TABLE IF NOT EXISTS "Seen" ("Record number" INTEGER NOT NULL);
