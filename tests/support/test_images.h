// Disk images the Windows tests make: an empty volume holding HELLO
// ("10 HOME"), and the browser pointed at it.
#pragma once
#include <string>

// Writes a 140 KB DOS 3.3 (LayoutDos33) or ProDOS volume named `volume` to
// `path`, with HELLO saved at `helloPath`.
void WriteImageWithHello(const std::string& path, int layout, const std::string& volume, const std::string& helloPath);
// The browser's picked image and the directory it shows.
void BrowseImage(const std::string& path, int layout, const std::string& prefix);
