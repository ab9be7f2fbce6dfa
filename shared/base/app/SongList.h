// A short list of song numbers that the credits roll plays in turn.
#pragma once

class CSongList {
public:
    static constexpr int MAX_SONGS = 32;

    CSongList() = default;

    // Appends a song; a list that already holds MAX_SONGS keeps them and
    // ignores the new one.
    void AddSong(int song);
    // Moves to the next song, wrapping to the first, and returns it.
    int GetNextSong();
    int GetCurrentSong() const;

    int numSongs = 0;
    int currentSong = 0;
    int songs[MAX_SONGS] = {};
};
