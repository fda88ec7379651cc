// How many more GDI objects this process can make now. Wine's GetGuiResources says 0, but
// its handle table is finite, so fill it with the smallest objects there are, count them
// and free them again. A leak shows as fewer free slots afterwards.
#pragma once

int FreeGdiSlots();
