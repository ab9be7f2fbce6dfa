#include "SongList.h"

#include "TWReport.h"

void CSongList::AddSong(int song) {
    if (numSongs >= MAX_SONGS) {
        TWReport::warning("CSongList::AddSong: list full (%d songs); song %d ignored.\n", MAX_SONGS,
                          song);
        return;
    }
    songs[numSongs++] = song;
}

// An empty list has no song to give: -1.
int CSongList::GetNextSong() {
    if (numSongs <= 0) return -1;
    currentSong = currentSong + 1 >= numSongs ? 0 : currentSong + 1;
    return songs[currentSong];
}

int CSongList::GetCurrentSong() const {
    if (currentSong < 0 || currentSong >= numSongs) return -1;
    return songs[currentSong];
}
