// dspdf: a PDF writer for the print preview, loaded at run time. Each page arrives
// as the file image of an enhanced metafile and is played onto a PDF page as
// vectors, so text stays text. One document at a time; it is written to a
// temporary file and takes its name only when EndDoc completes it.
//
// Every function answers 0 on success and a negative number on failure.
#pragma once

#if defined(_WIN32)
#define DSPDF_EXPORT __declspec(dllexport)
#else
#define DSPDF_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
// Starts a document to be written to fileName (UTF-8).
DSPDF_EXPORT int BeginDoc(const char* fileName);
// The size of the page drawn next: a paper code, an orientation (0 portrait,
// 1 landscape) and width and height in hundredths of millimetres, as the page lies.
DSPDF_EXPORT int SetPage(int paper, int orientation, int width, int height);
// Ends the current page; the next drawing starts another.
DSPDF_EXPORT int NewPage();
// Draws the metafile of size bytes onto the current page, stretched to fill it.
DSPDF_EXPORT int PrintPageM(const void* metafile, int size);
// Draws the metafile file fileName (UTF-8) onto the current page.
DSPDF_EXPORT int PrintPageF(const char* fileName);
// Completes the document and gives it its name; without pages nothing is written.
DSPDF_EXPORT int EndDoc();
}
