CREATE FUNCTION dbo.Fn_Miladi2shamsi (@InputDate datetime)
RETURNS nvarchar(10)
AS
BEGIN
-- The Persian (solar Hijri) date of @InputDate as yyyy/mm/dd; the time of day plays no part.
-- Nowruz of a year follows the 33-year leap arithmetic, period by period between the years at
-- which its pattern shifts (five characters each in @Breaks); after the last one it goes on.
DECLARE @Breaks varchar(100), @Located int, @GYear int, @i int, @Jump int, @PeriodStart int
DECLARE @PeriodEnd int, @Into int, @LeapDays int, @MarchDay int, @y int, @a int
DECLARE @InputDay int, @Nowruz int, @DayOfYear int, @Month int, @Day int, @Ymd char(8)
IF @InputDate IS NULL RETURN N''
SET @Breaks = '  -61    9   38  199  426  686  756  818 1111 1181 1210 1635 2060 2097 2192 2262 2324 2394 2456'
-- Days are counted as Julian day numbers, which need no datetime arithmetic.
SET @Ymd = CONVERT(char(8), @InputDate, 112)
SET @Month = CAST(SUBSTRING(@Ymd, 5, 2) AS int)
SET @a = (14 - @Month) / 12
SET @y = CAST(LEFT(@Ymd, 4) AS int) + 4800 - @a
SET @InputDay = CAST(RIGHT(@Ymd, 2) AS int) + (153 * (@Month + 12 * @a - 3) + 2) / 5 + 365 * @y + @y / 4 - @y / 100 + @y / 400 - 32045
-- The Persian year whose Nowruz falls in the same Gregorian year, or the one before it.
SET @Located = CAST(LEFT(@Ymd, 4) AS int) - 621
WHILE 1 = 1
BEGIN
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
  -- Nowruz: the day @MarchDay of March of @GYear
  SET @y = @GYear + 4800
  SET @Nowruz = @MarchDay + 365 * @y + @y / 4 - @y / 100 + @y / 400 - 32045
  IF @InputDay >= @Nowruz BREAK
  SET @Located = @Located - 1
END
SET @DayOfYear = @InputDay - @Nowruz
IF @DayOfYear < 186
BEGIN
  SET @Month = 1 + @DayOfYear / 31
  SET @Day = 1 + @DayOfYear % 31
END
ELSE
BEGIN
  SET @Month = 7 + (@DayOfYear - 186) / 30
  SET @Day = 1 + (@DayOfYear - 186) % 30
END
RETURN CAST(@Located AS nvarchar(4)) + N'/' + RIGHT(N'0' + CAST(@Month AS nvarchar(2)), 2) + N'/' + RIGHT(N'0' + CAST(@Day AS nvarchar(2)), 2)
END
