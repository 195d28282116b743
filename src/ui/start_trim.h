// What start-up needed only once is given back, since the program then stays resident all day:
// the fonts matched while the splash was made, and the heap pages freed meanwhile.
#pragma once

namespace zrv {

// Empties the toolkit's cache of matched fonts; the fonts still in use are matched again when
// next drawn. Does nothing where the text library lacks the call.
void dropMatchedFonts();

// Hands the free pages at the top and inside the heap back to the system.
void returnFreedMemory();

}  // namespace zrv
