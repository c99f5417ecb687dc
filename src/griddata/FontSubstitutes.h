#pragma once

// Maps the Windows font names that documents and templates carry to installed fonts holding
// both Chinese and Latin glyphs. Runs by itself when the application object is made.
void RegisterFontSubstitutes();
