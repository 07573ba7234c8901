#pragma once
#include <windows.h>

void InsertSpecialCharacter(int code);  // 1400-1431: code id - 1400
