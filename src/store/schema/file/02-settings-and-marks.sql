-- Fields older files lack, in the order they are appended. Older releases added some of them one at a
-- time, so a column the table already has (in any case) is left as it is.
ALTER TABLE "Application" ADD COLUMN "KeepInSeconds" INTEGER;
ALTER TABLE "Application" ADD COLUMN "KeepOutSeconds" INTEGER;
ALTER TABLE "Application" ADD COLUMN "UseLocal DB" INTEGER;
ALTER TABLE "Application" ADD COLUMN "ForceAfter" REAL;
ALTER TABLE "Application" ADD COLUMN "MinutesToDeduct" INTEGER;
ALTER TABLE "Application" ADD COLUMN "MinBeforeDed" INTEGER;
ALTER TABLE "Application" ADD COLUMN "LateINmessage" TEXT;
ALTER TABLE "Application" ADD COLUMN "EarlyOUTmessage" TEXT;
ALTER TABLE "Application" ADD COLUMN "LateINlimit" INTEGER;
ALTER TABLE "Application" ADD COLUMN "EarlyOUTlimit" INTEGER;
ALTER TABLE "Application" ADD COLUMN "Options2" INTEGER;
ALTER TABLE "Application" ADD COLUMN "ScreenInOutDays" INTEGER;
ALTER TABLE "Application" ADD COLUMN "Rejected" TEXT;
ALTER TABLE "In Out" ADD COLUMN "Options" INTEGER;
ALTER TABLE "In Out" ADD COLUMN "Created" TEXT;
