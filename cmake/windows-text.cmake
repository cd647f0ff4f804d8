# Writes a text file with Windows line ends, CR LF, in place of LF.
#   cmake -DIN=file -DOUT=file.txt -P cmake/windows-text.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
