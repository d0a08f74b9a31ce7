-- Every change made to "In Out" outside a punch, chained by SHA-256 hashes. Files laid out before the
-- numbered layouts may have the table already.
CREATE TABLE IF NOT EXISTS "Edit history" (
    "Entry number" INTEGER PRIMARY KEY AUTOINCREMENT,
    "When" TEXT,
    "Action" TEXT,
    "Record number" INTEGER,
    "Old values" TEXT,
    "New values" TEXT,
    "User" TEXT,
    "Details" TEXT,
    "Previous hash" TEXT,
    "Hash" TEXT
);
CREATE INDEX IF NOT EXISTS "History record" ON "Edit history" ("Record number");

-- The settings row, with its own layout number, which older releases read. A first punch on a new
-- database must be seen: the confirmation stays 3 seconds rather than the 0 that an empty field loads
-- as. Databases made earlier keep what they hold.
INSERT INTO "Application" ("Version", "KeepInSeconds", "KeepOutSeconds")
    SELECT 6, 3, 3 WHERE NOT EXISTS (SELECT 1 FROM "Application");
UPDATE "Application" SET "Version" = 6 WHERE rowid = (SELECT min(rowid) FROM "Application");
