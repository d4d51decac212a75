// What a program may tell the page about itself, beyond drawing: calls of C
// linkage implemented by the page (web/canvas.js), for a program's own part
// built only for the browser.
#pragma once

extern "C" {
// Describe window `window` to screen readers, in place of the texts it draws,
// in the page's language: the sentence `sentence` of the "describe" words of
// the page's content (web/VeloranePage.cmake), where {name} takes the words
// that `words` gives it and {0}, {1}, ... the `count` numbers, each written
// with `decimals` decimals as the language writes them. `words` is
// "name=key,key;name=key": the keys are words of "describe" too, several
// joined as the language joins a list ("left, front and up"). Called again
// whenever the description changes; the page reads it out once it is still,
// and says it anew when the page's language changes. A sentence the content
// lacks leaves the window's drawn texts.
void pageDescribe(int window, const char* sentence, const char* words, const double* numbers,
                  int count, int decimals);
}
