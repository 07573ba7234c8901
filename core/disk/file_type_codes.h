// The file type numbers of the Apple's two file systems, and the length
// that starts a DOS 3.3 BASIC file.
#pragma once

// DOS 3.3 catalog type byte; bit 7 marks the file locked.
inline constexpr int kDosTextType = 0x00;
inline constexpr int kDosIntegerType = 0x01;
inline constexpr int kDosApplesoftType = 0x02;
inline constexpr int kDosBinaryType = 0x04;
inline constexpr int kDosLockBit = 0x80;

// ProDOS file types.
inline constexpr int kProdosTextType = 0x04;
inline constexpr int kProdosBinaryType = 0x06;
inline constexpr int kProdosDirectoryType = 0x0F;
inline constexpr int kProdosIntegerType = 0xFA;
inline constexpr int kProdosApplesoftType = 0xFC;
inline constexpr int kProdosSystemType = 0xFF;

// A DOS 3.3 BASIC file starts with the program's length in two bytes, low
// byte first; the program follows.
inline constexpr int kDosLengthHeaderBytes = 2;
