# A 24-hour chart with Japanese row names and all three piece types, drawn
# flat and raised, then with a free-size scale scrolled by rows and hours.
# The test replaces @OUT@ with its output folder.
clock freeze 2026-12-08 10:25:00
events off
create Ganttline
resize 900 420
set Caption "本日"
set BackColor 0x00FFFFFF
set ItemNameBackColor 0x00F0F0F0
set PieceRectColor 0x00E0C090
set PieceDotColor 0x0000C0FF
set PieceLineColor 0x00008000
set PieceTextColor 0x00000000
set GridColor 0x00A0A0A0
set ShowCurTime true
call AddItem "会議室Ａ" 2
call AddItem "照明 1F" 0
call AddItem "空調 2F" 1
call AddItem "エントランス" 2
call AddItem "駐車場照明" 0
call AddItem "給湯室" 1
call AddItem "大ホール" 2
call AddItem "屋外看板" 1
call AddItem "倉庫" 2
call AddItem "受付" 2
call SetPieceRange 0 0 8 0 12 0
call SetPieceText 0 0 "定例会議"
call SetPieceRange 0 1 13 30 17 0
call SetPieceColor 0 1 0x00FFFFFF
call SetPieceText 0 1 "来客"
call SetPieceRange 1 0 6 0 6 0
call SetPieceRange 1 1 18 30 18 30
call SetPieceRange 2 0 7 0 9 30
call SetPieceRange 2 1 12 0 20 0
call SetPieceText 2 1 "運転"
call SetPieceRange 3 0 0 0 24 0
call SetPieceColor 3 0 0x00C0FFC0
call SetPieceText 3 0 "終日"
call SetPieceRange 4 0 17 45 17 45
call SetPieceRange 5 0 9 0 10 0
call SetPieceRange 6 0 15 0 21 0
call SetPieceColor 6 0 0x004040FF
call SetPieceText 6 0 "演奏会"
call SetPieceRange 7 0 18 0 23 0
call SetPieceText 7 0 "点灯"
call SetPieceRange 8 0 10 0 11 0
call SetPieceRange 9 0 8 30 17 30
call SetPieceText 9 0 "受付業務"
call SetCurItem 2
screenshot @OUT@/chart_flat.png
set ChartStyle 1
set FontStyle 2
set PieceTextPosition 1
screenshot @OUT@/chart_raised.png
set ChartStyle 0
set FontStyle 0
set PieceTextPosition 0
set ScaleMode 1
set ScaleWidth 2500
call SetCurItem 9
key Right
key Right
key Right
key Right
key Right
key Right
key Right
key Right
screenshot @OUT@/chart_freesize_scrolled.png
