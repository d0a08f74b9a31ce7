-- What the payroll service knows each employee by, whichever source the staff come from: the
-- payroll number (empty: the employee ID) and first and last names (empty: the stored name split).
-- IDs are kept in the form they compare in.
CREATE TABLE IF NOT EXISTS "Employee payroll" (
    "Employee ID" TEXT NOT NULL PRIMARY KEY,
    "Payroll number" TEXT NOT NULL,
    "First name" TEXT NOT NULL,
    "Last name" TEXT NOT NULL
);
