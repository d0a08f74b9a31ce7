-- The cards and barcodes that stand for an employee at the clock: one number, one employee, and
-- one card for each employee. Numbers are text, so leading zeros are kept as printed.
CREATE TABLE IF NOT EXISTS "Badges" (
    "Badge" TEXT NOT NULL PRIMARY KEY,
    "Employee ID" TEXT NOT NULL UNIQUE
);
