-- Exceptions a manager has looked at and let stand, one row per record and kind. "Basis" is how the
-- records the exception was judged on looked when it was resolved: once they change, the resolution
-- no longer holds. A file that lost its record of layouts is laid out again, so the table may exist.
CREATE TABLE IF NOT EXISTS "Resolved exceptions" (
    "Record number" INTEGER NOT NULL,
    "Kind" TEXT NOT NULL,
    "Basis" TEXT NOT NULL,
    "Note" TEXT,
    "Resolved by" TEXT,
    "Resolved when" TEXT,
    PRIMARY KEY ("Record number", "Kind")
);
