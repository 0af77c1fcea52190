// Keeps other copies of the game away from the players file while one copy reads and writes it:
// a system lock (flock) on the players file itself, so that copies reaching one file by any names
// (symbolic or hard links) take one lock, and nothing is left beside the file. A missing file is
// made empty to be locked. The system releases the lock when its copy ends, however it ends, so a
// lock that is held is held by a running copy, and only that is waited for. A save that puts a new
// file in the old one's place leaves a waiting copy locking the new one. Nothing at the file's
// place can stall the game: it is opened without waiting, and only a regular file is locked;
// anything else is said as it is.
//
// Locks nest within the program: the outermost one takes the lock file, the inner ones share it.
// So LoadPlayers, SavePlayers and StoreCurrentResult, which each take the lock for their own
// open-use-close of the file, also run while a caller holds it, as the new player dialog does
// from its reload of the file to its save:
//
//     PlayersFileLock lock;
//     LoadPlayers(LoadMode::Reload);
//     ... fill the slot ...
//     SavePlayers();
//
// When the outermost lock could not be taken, the inner ones fail too, so that a table read
// without the lock is never saved over a result another copy stored meanwhile.
#pragma once

#include <QString>
#include <functional>

namespace qv {

class PlayersFileLock {
  public:
    // Takes the lock on PlayersFilePath, waiting at most PlayersFileLockTimeout() milliseconds
    // for another copy to release it.
    PlayersFileLock();
    ~PlayersFileLock();
    PlayersFileLock(const PlayersFileLock&) = delete;
    PlayersFileLock& operator=(const PlayersFileLock&) = delete;

    bool IsLocked() const { return locked_; }
    // Why the lock could not be taken, in words for the player.
    QString Why() const;

  private:
    bool locked_ = false;
};

// How long to wait for another copy of the game to release the file; 10 seconds unless changed.
int PlayersFileLockTimeout();
void SetPlayersFileLockTimeout(int milliseconds);

// Runs `action` at once when the file is not locked, otherwise as soon as the outermost lock is
// released: a message box is never left open while other copies wait for the file.
void AfterPlayersFileUnlocked(std::function<void()> action);

}  // namespace qv
