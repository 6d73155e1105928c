// The five title cards: glowing lettering and an emblem on black, made to be
// added onto the frame (black adds nothing).
#pragma once

#include "indexed_picture.h"

// Card 1: the name, drawn narrow because the show stretches it to twice its
// width.
IndexedPicture makeNameCard();
// Card 2: the tagline.
IndexedPicture makeTaglineCard();
// Card 3: the emblem.
IndexedPicture makeEmblemCard();
// Card 4: the credits.
IndexedPicture makeCreditsCard();
// Card 5: the farewell.
IndexedPicture makeFarewellCard();
