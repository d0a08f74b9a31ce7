-- Settings of the program's own, one row each: the "Application" row keeps the old program's fields.
CREATE TABLE IF NOT EXISTS "Program settings" (
    "Key" TEXT COLLATE "C" PRIMARY KEY NOT NULL,
    "Value" TEXT COLLATE "C"
);
