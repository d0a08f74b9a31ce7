-- Pay periods once approved or locked. They keep the days they had when the period rule changes
-- later, and a locked one keeps its records from being changed by hand. Days are day numbers, as
-- in "In Out". A file that lost its record of layouts is laid out again, so the tables may exist.
CREATE TABLE IF NOT EXISTS "Pay periods" (
    "First day" INTEGER PRIMARY KEY,
    "Last day" INTEGER NOT NULL,
    "Locked" INTEGER NOT NULL DEFAULT 0,
    "Locked when" TEXT,
    "Locked by" TEXT
);

-- Who approved a period's hours and when; an empty "Employee ID" approves everyone's.
CREATE TABLE IF NOT EXISTS "Period approvals" (
    "First day" INTEGER NOT NULL,
    "Employee ID" TEXT NOT NULL COLLATE NOCASE,
    "When" TEXT,
    "User" TEXT,
    PRIMARY KEY ("First day", "Employee ID")
);
