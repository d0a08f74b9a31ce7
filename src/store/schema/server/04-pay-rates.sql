-- Each employee's hourly rates by the day they take effect, on top of the pay kept with the employee.
-- IDs are kept in the form they compare in; rates in ten-thousandths, as every amount of money.
CREATE TABLE IF NOT EXISTS "Pay rate" (
    "Employee ID" TEXT COLLATE "C" NOT NULL,
    "From" INTEGER NOT NULL,
    "Rate" BIGINT NOT NULL,
    PRIMARY KEY ("Employee ID", "From")
);
