-- Text cannot hold every scrambled password (NUL among them): the column becomes bytes, each value
-- its UTF-8 encoding.
ALTER TABLE "Application" ALTER COLUMN "PW" TYPE BYTEA USING convert_to("PW", 'UTF8');
