-- Settings of the program's own, one row each: the "Application" row keeps the old program's fields.
CREATE TABLE IF NOT EXISTS "Program settings" (
    "Key" TEXT PRIMARY KEY NOT NULL,
    "Value" TEXT
);
