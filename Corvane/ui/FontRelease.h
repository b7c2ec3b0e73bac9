#pragma once

namespace corvane {

/// Lets go of every loaded font, with its glyph images and the font file it maps. Qt keeps each
/// font it ever drew with until its cache outgrows a few megabytes, which a program that shows
/// its dashboard now and then never reaches, so the dashboard's fonts (the CJK one alone maps
/// 3.5 MB) would stay resident all day. Windows still shown load theirs again when next painted.
/// Interface thread only: each thread has its own font cache.
void releaseLoadedFonts();

} // namespace corvane
