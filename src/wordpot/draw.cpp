#include "wordpot/draw.h"

#include "wordpot/wordlist.h"

namespace wordpot {

int drawWordIndex(int lastWordIndex, const RandomSource& random) {
    for (;;) {
        const int index = int(random() * DrawRange);
        if (index > NoWord && index <= WordCount && index != lastWordIndex)
            return index;
    }
}

} // namespace wordpot
