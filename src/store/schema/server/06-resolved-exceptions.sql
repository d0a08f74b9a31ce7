-- Exceptions a manager has looked at and let stand, one row per record and kind. "Basis" is how the
-- records the exception was judged on looked when it was resolved: once they change, the resolution
-- no longer holds. A server that lost its record of layouts is laid out again, so the table may exist.
CREATE TABLE IF NOT EXISTS "Resolved exceptions" (
    "Record number" BIGINT NOT NULL,
    "Kind" TEXT COLLATE "C" NOT NULL,
    "Basis" TEXT COLLATE "C" NOT NULL,
    "Note" TEXT COLLATE "C",
    "Resolved by" TEXT COLLATE "C",
    "Resolved when" TEXT COLLATE "C",
    PRIMARY KEY ("Record number", "Kind")
);
