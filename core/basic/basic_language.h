// The two BASICs of the Apple II that TAVO reads.
#pragma once

enum class BasicLanguage { Applesoft, Integer };
