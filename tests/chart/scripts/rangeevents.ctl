# Builds a small chart, queries it by name and by dispatch identifier, and
# lets the clock pass the start and the end of a piece.
clock run 2026-12-08 08:59:50
create Ganttline
call AddItem "Room 1" 2
call #29 "Room 2" 1
call SetPieceRange 0 0 8 0 9 0
call #36 1 7 9 0 9 1
call SetPieceText 1 7 "Meeting"
call GetItemCount
call #35
call GetItemName 1
call #34 0
call GetAllPieceNo 1
call #37 1 7 3
call GetPieceRange2 1 7 empty empty
call FindPieceFromRange -1 9 0 9 0 1
call #52 -1 "meet" 0
set ScaleRangeEnd 30
get #13
clock run 2026-12-08 08:59:57
wait 4000
clock run 2026-12-08 09:00:57
wait 4000
echo done
