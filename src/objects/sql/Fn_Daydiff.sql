CREATE FUNCTION [dbo].[Fn_Daydiff] (@dateLess1 nchar(10), @dateUp2 nchar(10))
RETURNS int
AS
BEGIN
-- Days from the Persian date @dateLess1 to @dateUp2 (yyyy/mm/dd), negative when @dateUp2 is
-- the earlier. Each date is counted from its year's Nowruz, found as Fn_Miladi2shamsi finds it;
-- year, month and day are read as integers, so a text that is not a date is refused.
DECLARE @Breaks varchar(100), @Date nchar(10), @Pass int, @Located int, @Month int, @Day int
DECLARE @GYear int, @i int, @Jump int, @PeriodStart int, @PeriodEnd int, @Into int, @LeapDays int
DECLARE @MarchDay int, @y int, @DayNumber int, @First int
IF @dateLess1 IS NULL OR @dateUp2 IS NULL RETURN NULL
SET @Breaks = '  -61    9   38  199  426  686  756  818 1111 1181 1210 1635 2060 2097 2192 2262 2324 2394 2456'
SET @Pass = 1
WHILE @Pass <= 2
BEGIN
  IF @Pass = 1 SET @Date = @dateLess1 ELSE SET @Date = @dateUp2
  SET @Located = CAST(SUBSTRING(@Date, 1, 4) AS int)
  SET @Month = CAST(SUBSTRING(@Date, 6, 2) AS int)
  SET @Day = CAST(SUBSTRING(@Date, 9, 2) AS int)
  -- Leap days of the Persian years before @Located
  SET @LeapDays = -14
  SET @PeriodStart = -61
  SET @Jump = 0
  SET @i = 1
  WHILE @i < 19 AND @Jump = 0
  BEGIN
    SET @PeriodEnd = CAST(SUBSTRING(@Breaks, 5 * @i + 1, 5) AS int)
    IF @Located < @PeriodEnd
      SET @Jump = @PeriodEnd - @PeriodStart
    ELSE
    BEGIN
      SET @LeapDays = @LeapDays + (@PeriodEnd - @PeriodStart) / 33 * 8 + (@PeriodEnd - @PeriodStart) % 33 / 4
      SET @PeriodStart = @PeriodEnd
      SET @i = @i + 1
    END
  END
  SET @Into = @Located - @PeriodStart
  SET @LeapDays = @LeapDays + @Into / 33 * 8 + (@Into % 33 + 3) / 4
  -- A period of 33n+4 years has its last leap year one year early.
  IF @Jump % 33 = 4 AND @Jump - @Into = 4 SET @LeapDays = @LeapDays + 1
  SET @GYear = @Located + 621
  SET @MarchDay = 20 + @LeapDays - (@GYear / 4 - (@GYear / 100 + 1) * 3 / 4 - 150)
  -- Julian day number of Nowruz (the day @MarchDay of March of @GYear), then of the date:
  -- months 1 to 6 have 31 days, the others 30.
  SET @y = @GYear + 4800
  SET @DayNumber = @MarchDay + 365 * @y + @y / 4 - @y / 100 + @y / 400 - 32045
    + (@Month - 1) * 31 - @Month / 7 * (@Month - 7) + @Day - 1
  IF @Pass = 1 SET @First = @DayNumber
  SET @Pass = @Pass + 1
END
RETURN @DayNumber - @First
END
