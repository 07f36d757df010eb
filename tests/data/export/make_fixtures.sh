#!/bin/sh
# Writes the expected export files: the lines as UTF-8 text with CR LF, converted by iconv.
set -e
cd "$(dirname "$0")"

# twelve rows of a parcel: numbers padded to eight, three blanks between the cells
{
  for n in 1 2 3 4 5 6 7 8 9 10 11 12; do
    day=$(printf '%02d' $((20 - n)))
    case $n in
      1) step='【上海市】已签收,签收人:本人 感谢使用' ;;
      3) step='【上海市】派件中 📦 快递员:李师傅' ;;
      12) step='【北京市】北京朝阳营业部 已收件' ;;
      *) step="【途中】快件已到达 第${n}站" ;;
    esac
    printf '%-8s   2024-05-%s 10:%02d:00   %s\r\n' "$n" "$day" "$n" "$step"
  done
} > progress.utf8.txt
iconv -f UTF-8 -t GB18030 progress.utf8.txt > progress.gb18030.txt

# first cells of every kind: long, blanks only, four and three Chinese characters, blanks around
{
  printf '123456789   长编号   after\r\n'
  printf '   blanks\r\n'
  printf '四个汉字   four\r\n'
  printf '三汉字     three\r\n'
  printf '7          trimmed    kept  \r\n'
} > cells.utf8.txt
iconv -f UTF-8 -t GB18030 cells.utf8.txt > cells.gb18030.txt
