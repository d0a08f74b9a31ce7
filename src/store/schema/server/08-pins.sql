-- Each employee's personal PIN as an Argon2id hash (never the PIN itself), with the wrong tries
-- counted since the last right one and the moment a lock after too many ends (seconds since the
-- epoch; NULL when none). IDs are kept in the form they compare in.
CREATE TABLE IF NOT EXISTS "PINs" (
    "Employee ID" TEXT COLLATE "C" PRIMARY KEY NOT NULL,
    "Hash" TEXT COLLATE "C" NOT NULL DEFAULT '',
    "Wrong tries" INTEGER NOT NULL DEFAULT 0,
    "Locked until" BIGINT
);
