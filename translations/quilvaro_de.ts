<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>About</name>
    <message>
        <source>   QUILVARO: line up five balls of one colour and clear the board.</source>
        <translation>   QUILVARO: Reihen aus fünf Kugeln einer Farbe bilden und abräumen.</translation>
    </message>
    <message>
        <source>   Rules:</source>
        <translation>   Regeln:</translation>
    </message>
    <message>
        <source>   Select balls by click,  then  select free place  in  box to move it  there. <byte value="xd"/>
When five (or more) balls one colored in one line occure,  they  disappear <byte value="xd"/>
and bring you five (or more) puncts to your score.  Control new balls that <byte value="xd"/>
will appear at next move in right side of picture.</source>
        <translation>   Klicke eine Kugel an, um sie auszuwählen, dann ein freies Feld, <byte value="xd"/>
auf das sie ziehen soll. Stehen fünf (oder mehr) Kugeln einer <byte value="xd"/>
Farbe in einer Linie, verschwinden sie und bringen dir fünf <byte value="xd"/>
(oder mehr) Punkte. Behalte die Kugeln des nächsten Zuges im <byte value="xd"/>
Auge: Sie stehen rechts neben dem Brett.</translation>
    </message>
    <message>
        <source>   To remember your result put yor name in players list or select from list <byte value="xd"/>
befor starting game. </source>
        <translation>   Damit dein Ergebnis gespeichert wird, trage vor dem Spiel <byte value="xd"/>
deinen Namen in die Spielerliste ein oder wähle ihn aus der Liste. </translation>
    </message>
    <message>
        <source>   To change picture size click  &quot;Zoom&quot;  button and select scale is<byte value="xd"/>
needing for.</source>
        <translation>   Um die Fenstergröße zu ändern, klicke auf „Zoom“ und wähle <byte value="xd"/>
den gewünschten Maßstab aus der Liste.</translation>
    </message>
    <message>
        <source>QUILVARO, a game by Dremwick</source>
        <translation>QUILVARO, ein Spiel von Dremwick</translation>
    </message>
    <message>
        <source>Rules and options.</source>
        <translation>Regeln und Optionen.</translation>
    </message>
</context>
<context>
    <name>BallColor</name>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>blau</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>türkis</translation>
    </message>
    <message>
        <source>pink</source>
        <translation>rosa</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: no display to open the game&apos;s window on (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>%1: kein Bildschirm für das Fenster des Spiels (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).</translation>
    </message>
    <message>
        <source>%1: no X display to open the game&apos;s window on (DISPLAY is not set).</source>
        <translation>%1: kein X-Bildschirm für das Fenster des Spiels (DISPLAY ist nicht gesetzt).</translation>
    </message>
    <message>
        <source>%1: no Wayland display to open the game&apos;s window on (WAYLAND_DISPLAY is not set).</source>
        <translation>%1: kein Wayland-Bildschirm für das Fenster des Spiels (WAYLAND_DISPLAY ist nicht gesetzt).</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Mehr dazu mit „%1 --help“.</translation>
    </message>
    <message>
        <source>Move coloured balls on a 9 by 9 board and clear lines of five or more.
Qt&apos;s standard options, such as -platform, -style and -reverse, apply as well.</source>
        <translation>Ziehe farbige Kugeln auf einem Brett von 9 mal 9 Feldern und räume Reihen von fünf und mehr ab.
Die üblichen Qt-Optionen wie -platform, -style und -reverse gelten ebenfalls.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>%1: cannot open the game&apos;s window: %2</source>
        <translation>%1: das Fenster des Spiels lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>Draw a mark in every ball, its shape telling the colour (this run only; the Zoom window&apos;s check box keeps the choice).</source>
        <translation>In jede Kugel eine Markierung zeichnen, deren Form die Farbe angibt (nur bei diesem Aufruf; das Kästchen im Fenster „Zoom“ merkt sich die Wahl).</translation>
    </message>
    <message>
        <source>Draw the balls without marks (this run only).</source>
        <translation>Die Kugeln ohne Markierungen zeichnen (nur bei diesem Aufruf).</translation>
    </message>
</context>
<context>
    <name>GameFlow</name>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
Next balls :</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Nächste Kugeln:</translation>
    </message>
    <message>
        <source>Game over</source>
        <translation>Spiel vorbei</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOPP</translation>
    </message>
    <message>
        <source>Game over.</source>
        <translation>Spiel vorbei.</translation>
    </message>
    <message>
        <source>Not bad.<byte value="xd"/>
<byte value="xd"/>
You&apos;ve improved <byte value="xd"/>
<byte value="xd"/>
your own result!</source>
        <translation>Nicht übel.<byte value="xd"/>
<byte value="xd"/>
Du hast dich <byte value="xd"/>
<byte value="xd"/>
verbessert!</translation>
    </message>
    <message>
        <source>Congratulations!<byte value="xd"/>
<byte value="xd"/>
You result <byte value="xd"/>
<byte value="xd"/>
is the best!</source>
        <translation>Glückwunsch!<byte value="xd"/>
<byte value="xd"/>
Dein Ergebnis <byte value="xd"/>
<byte value="xd"/>
ist das beste!</translation>
    </message>
    <message>
        <source>Result not kept:<byte value="xd"/>
no player chosen.<byte value="xd"/>
<byte value="xd"/>
Choose or add one<byte value="xd"/>
under Player<byte value="xd"/>
before Start.</source>
        <translation>Nicht gespeichert:<byte value="xd"/>
kein Spieler gewählt.<byte value="xd"/>
<byte value="xd"/>
Wähle oder füge<byte value="xd"/>
einen unter „Spieler“<byte value="xd"/>
vor dem Start hinzu.</translation>
    </message>
</context>
<context>
    <name>Keys</name>
    <message>
        <source>Alt alone or F10: the menu bar; Esc leaves it.</source>
        <translation>Alt allein oder F10: die Menüleiste; Esc verlässt sie.</translation>
    </message>
    <message>
        <source>On the board:</source>
        <translation>Auf dem Spielfeld:</translation>
    </message>
    <message>
        <source>Arrows: move the cursor one cell.</source>
        <translation>Pfeile: der Cursor um ein Feld.</translation>
    </message>
    <message>
        <source>Home, End: to the ends of the row.</source>
        <translation>Pos1, Ende: an die Enden der Reihe.</translation>
    </message>
    <message>
        <source>Page Up, Page Down: to the ends of the column.</source>
        <translation>Bild auf, Bild ab: an die Enden der Spalte.</translation>
    </message>
    <message>
        <source>Enter: select the ball under the cursor, or move the selected ball there.</source>
        <translation>Enter: die Kugel unter dem Cursor wählen oder die gewählte Kugel dorthin ziehen.</translation>
    </message>
    <message>
        <source>N: the next balls.</source>
        <translation>N: die nächsten Kugeln.</translation>
    </message>
    <message>
        <source>S: the score, the moves and the best results.</source>
        <translation>S: Punkte, Züge und die besten Ergebnisse.</translation>
    </message>
    <message>
        <source>B: where the selected ball is.</source>
        <translation>B: wo die gewählte Kugel liegt.</translation>
    </message>
    <message>
        <source>R: the balls in the cursor&apos;s row. C: in its column.</source>
        <translation>R: die Kugeln in der Reihe des Cursors. C: in seiner Spalte.</translation>
    </message>
    <message>
        <source>F: how many cells are free.</source>
        <translation>F: wie viele Felder frei sind.</translation>
    </message>
    <message>
        <source>Tab: the names, the results, the moves and Quit.</source>
        <translation>Tab: Namen, Ergebnisse, Züge und „Beenden“.</translation>
    </message>
    <message>
        <source>Space: minimize the window, or restore it.</source>
        <translation>Leertaste: das Fenster minimieren oder wiederherstellen.</translation>
    </message>
    <message>
        <source>Esc: end the program at once; a game in progress is not kept.</source>
        <translation>Esc: das Programm sofort beenden; ein laufendes Spiel wird nicht gespeichert.</translation>
    </message>
    <message>
        <source>F1: this list.</source>
        <translation>F1: diese Liste.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>%1: start or stop a game.</source>
        <translation>%1: ein Spiel starten oder beenden.</translation>
    </message>
    <message>
        <source>%1: the players list. %2: the scale. %3: the rules.</source>
        <translation>%1: die Spielerliste. %2: der Maßstab. %3: die Regeln.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Hello player!<byte value="xd"/>
<byte value="xd"/>
Let&apos;s begin.<byte value="xd"/>
<byte value="xd"/>
Press &quot;Start&quot; button.</source>
        <translation>Hallo, Spieler!<byte value="xd"/>
<byte value="xd"/>
Los geht’s.<byte value="xd"/>
<byte value="xd"/>
Klicke auf „Start“.</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Player</source>
        <translation>S&amp;pieler</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Rekord</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>Reihe %1, Spalte %2: leer</translation>
    </message>
    <message>
        <source>row %1, column %2: %3 ball, selected</source>
        <translation>Reihe %1, Spalte %2: Kugel, %3, gewählt</translation>
    </message>
    <message>
        <source>row %1, column %2: %3 ball</source>
        <translation>Reihe %1, Spalte %2: Kugel, %3</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Brett</translation>
    </message>
    <message>
        <source>Arrow keys move the cursor; Enter selects the ball under it or moves the selected ball there.</source>
        <translation>Die Pfeiltasten bewegen den Cursor; Enter wählt die Kugel darunter oder zieht die gewählte Kugel dorthin.</translation>
    </message>
    <message>
        <source>Current player&apos;s name</source>
        <translation>Name des aktuellen Spielers</translation>
    </message>
    <message>
        <source>Current player&apos;s result or score</source>
        <translation>Ergebnis oder Punkte des aktuellen Spielers</translation>
    </message>
    <message>
        <source>Best player&apos;s name</source>
        <translation>Name des besten Spielers</translation>
    </message>
    <message>
        <source>Best player&apos;s result</source>
        <translation>Ergebnis des besten Spielers</translation>
    </message>
    <message>
        <source>Number of moves</source>
        <translation>Anzahl der Züge</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Next balls</source>
        <translation>Nächste Kugeln</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>%1 plays. Best result: %2.</source>
        <translation>Es spielt %1. Bestes Ergebnis: %2.</translation>
    </message>
    <message>
        <source>Scale %1.</source>
        <translation>Maßstab %1.</translation>
    </message>
    <message>
        <source>%1 starts a game, the arrows and Enter play, F1 tells all the keys, Esc ends the program at once.</source>
        <translation>%1 startet ein Spiel, mit den Pfeilen und Enter wird gespielt, F1 nennt alle Tasten, Esc beendet das Programm sofort.</translation>
    </message>
</context>
<context>
    <name>Narration</name>
    <message>
        <source>row %1, column %2</source>
        <translation>Reihe %1, Spalte %2</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>New balls: %1.</source>
        <translation>Neue Kugeln: %1.</translation>
    </message>
    <message>
        <source>Line cleared: +%1 points, score %2.</source>
        <translation>Linie abgeräumt: +%1 Punkte, Stand %2.</translation>
    </message>
    <message>
        <source>Next: %1.</source>
        <translation>Als Nächstes: %1.</translation>
    </message>
    <message>
        <source>No game. Start one from the menu.</source>
        <translation>Kein Spiel. Starten Sie eines im Menü.</translation>
    </message>
    <message>
        <source>%1 ball still selected.</source>
        <translation>Kugel, %1, weiterhin gewählt.</translation>
    </message>
    <message>
        <source>%1 ball selected.</source>
        <translation>Kugel, %1, gewählt.</translation>
    </message>
    <message>
        <source>No ball selected.</source>
        <translation>Keine Kugel gewählt.</translation>
    </message>
    <message>
        <source>No way there.</source>
        <translation>Kein Weg dorthin.</translation>
    </message>
    <message>
        <source>Moved to %1.</source>
        <translation>Gezogen nach %1.</translation>
    </message>
    <message>
        <source>Game started.</source>
        <translation>Spiel gestartet.</translation>
    </message>
    <message>
        <source>Selected: %1 ball at %2.</source>
        <translation>Gewählt: Kugel, %1, %2.</translation>
    </message>
    <message>
        <source>selected %1</source>
        <translation>%1 (gewählt)</translation>
    </message>
    <message>
        <source>%1 in column %2</source>
        <translation>%1 in Spalte %2</translation>
    </message>
    <message>
        <source>%1 in row %2</source>
        <translation>%1 in Reihe %2</translation>
    </message>
    <message>
        <source>Row %1: empty.</source>
        <translation>Reihe %1: leer.</translation>
    </message>
    <message>
        <source>Column %1: empty.</source>
        <translation>Spalte %1: leer.</translation>
    </message>
    <message>
        <source>Row %1: %2.</source>
        <translation>Reihe %1: %2.</translation>
    </message>
    <message>
        <source>Column %1: %2.</source>
        <translation>Spalte %1: %2.</translation>
    </message>
    <message>
        <source>Free cells: %1.</source>
        <translation>Freie Felder: %1.</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Score %1, moves %2. Your best: %3. Best of all: %4.</source>
        <translation>Punkte %1, Züge %2. Dein bestes Ergebnis: %3. Das beste von allen: %4.</translation>
    </message>
</context>
<context>
    <name>NewPlayerWindow</name>
    <message>
        <source>Input your name:</source>
        <translation>Gib deinen Namen ein:</translation>
    </message>
    <message>
        <source>Welcome!</source>
        <translation>Willkommen!</translation>
    </message>
    <message>
        <source>&amp;O&apos;k</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Dein Name</translation>
    </message>
    <message>
        <source>The players file cannot hold these characters of the name:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Please change them and try again.</source>
        <translation>Diese Zeichen des Namens kann die Spielerdatei nicht speichern:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Bitte ändere sie und versuche es noch einmal.</translation>
    </message>
</context>
<context>
    <name>PlayersFile</name>
    <message>
        <source>The players file was left as it was.</source>
        <translation>Die Spielerdatei bleibt unverändert.</translation>
    </message>
    <message>
        <source>Your result %1 could not be stored in the players file</source>
        <translation>Dein Ergebnis %1 konnte nicht in der Spielerdatei gespeichert werden</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Spieler: %1</translation>
    </message>
    <message>
        <source>The players file could not be opened, neither beside the game<byte value="xd"/>
%1<byte value="xd"/>
nor in your data folder<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Results will not be kept in this session.</source>
        <translation>Die Spielerdatei ließ sich nicht öffnen, weder neben dem Spiel<byte value="xd"/>
%1<byte value="xd"/>
noch in deinem Datenordner<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
In dieser Sitzung werden keine Ergebnisse gespeichert.</translation>
    </message>
    <message>
        <source>The list of players could not be stored in the players file</source>
        <translation>Die Spielerliste konnte nicht in der Spielerdatei gespeichert werden</translation>
    </message>
    <message>
        <source>The file could not be read: %1.</source>
        <translation>Die Datei konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>It is a link to a file that does not exist.</source>
        <translation>Es ist ein Verweis auf eine Datei, die es nicht gibt.</translation>
    </message>
    <message>
        <source>It could not be read: %1.</source>
        <translation>Sie konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>It is not a file but a folder, a pipe or a device.</source>
        <translation>Es ist keine Datei, sondern ein Ordner, eine Pipe oder ein Gerät.</translation>
    </message>
    <message>
        <source>Results are not kept in this session.</source>
        <translation>In dieser Sitzung werden keine Ergebnisse gespeichert.</translation>
    </message>
    <message>
        <source>The players file could not be used:</source>
        <translation>Die Spielerdatei ist nicht zu gebrauchen:</translation>
    </message>
    <message>
        <source>Results will not be kept in this session.</source>
        <translation>In dieser Sitzung werden keine Ergebnisse gespeichert.</translation>
    </message>
    <message>
        <source>Results are kept in your data folder, since they could not be kept beside the game:</source>
        <translation>Die Ergebnisse liegen in deinem Datenordner, da sie nicht neben dem Spiel liegen können:</translation>
    </message>
    <message>
        <source>The file is read-only for you.</source>
        <translation>Die Datei ist für dich schreibgeschützt.</translation>
    </message>
    <message>
        <source>The game&apos;s folder is read-only for you.</source>
        <translation>Der Ordner des Spiels ist für dich schreibgeschützt.</translation>
    </message>
    <message>
        <source>Results are kept in your data folder from now on:</source>
        <translation>Die Ergebnisse liegen ab jetzt in deinem Datenordner:</translation>
    </message>
    <message>
        <source>They could not be kept beside the game:</source>
        <translation>Sie können nicht neben dem Spiel liegen:</translation>
    </message>
    <message>
        <source>It could not be opened for writing: %1.</source>
        <translation>Sie konnte nicht zum Schreiben geöffnet werden: %1.</translation>
    </message>
    <message>
        <source>It is a link that leads nowhere: the links go round in a loop, or there are too many of them.</source>
        <translation>Es ist ein Verweis, der nirgendwohin führt: Die Verweise gehen im Kreis, oder es sind zu viele.</translation>
    </message>
    <message>
        <source>It is not a players file, so it was not replaced.</source>
        <translation>Es ist keine Spielerdatei, darum wurde sie nicht ersetzt.</translation>
    </message>
    <message>
        <source>The players file can be read, but not written:</source>
        <translation>Die Spielerdatei lässt sich lesen, aber nicht schreiben:</translation>
    </message>
    <message>
        <source>Your data folder is read-only for you.</source>
        <translation>Dein Datenordner ist für dich schreibgeschützt.</translation>
    </message>
    <message>
        <source>The game&apos;s folder could not be found.</source>
        <translation>Der Ordner des Spiels wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The game&apos;s folder could not be opened: %1.</source>
        <translation>Der Ordner des Spiels konnte nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <source>The players file had been deleted or cut short since the game read it. It was written again from the list of players in the game:</source>
        <translation>Die Spielerdatei wurde gelöscht oder gekürzt, seit das Spiel sie gelesen hat. Sie wurde aus der Spielerliste im Spiel neu geschrieben:</translation>
    </message>
    <message>
        <source>Another copy of the game has given this player&apos;s record to %1.</source>
        <translation>Eine andere Kopie des Spiels hat den Eintrag dieses Spielers an %1 vergeben.</translation>
    </message>
    <message>
        <source>This player is not in the players file.</source>
        <translation>Dieser Spieler steht nicht in der Spielerdatei.</translation>
    </message>
</context>
<context>
    <name>PlayersFileLock</name>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>There is no players file in this session.</source>
        <translation>In dieser Sitzung gibt es keine Spielerdatei.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the players file and did not release it within %1.</source>
        <translation>Eine andere Kopie des Spiels benutzt die Spielerdatei und hat sie nicht innerhalb von %1 freigegeben.</translation>
    </message>
    <message>
        <source>The players file could not be created: %1.</source>
        <translation>Die Spielerdatei konnte nicht angelegt werden: %1.</translation>
    </message>
    <message>
        <source>The players file could not be read: %1.</source>
        <translation>Die Spielerdatei konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>The players file could not be locked: %1.</source>
        <translation>Die Spielerdatei konnte nicht gesperrt werden: %1.</translation>
    </message>
</context>
<context>
    <name>PlayersListWindow</name>
    <message>
        <source>Players List</source>
        <translation>Spielerliste</translation>
    </message>
    <message>
        <source>S&amp;elect</source>
        <translation>&amp;Wählen</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>PLAYER</source>
        <translation>SPIELER</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>ERGEBNIS</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>Invalid position in the file.</source>
        <translation>Ungültige Position in der Datei.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>The file could not be read: %1.</source>
        <translation>Die Datei konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>There is not enough free space on the disk for a new copy of the file (%1 bytes needed, %2 bytes free).</source>
        <translation>Auf dem Datenträger ist nicht genug Platz für eine neue Kopie der Datei (%1 Bytes nötig, %2 Bytes frei).</translation>
    </message>
    <message>
        <source>A new copy could not be created beside it: %1.</source>
        <translation>Daneben ließ sich keine neue Kopie anlegen: %1.</translation>
    </message>
    <message>
        <source>Writing the new copy failed: %1.</source>
        <translation>Die neue Kopie ließ sich nicht schreiben: %1.</translation>
    </message>
    <message>
        <source>The file could not be read to its end.</source>
        <translation>Die Datei ließ sich nicht bis zum Ende lesen.</translation>
    </message>
    <message>
        <source>Writing the file failed: %1.</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>The new copy could not take the file&apos;s permissions: %1.</source>
        <translation>Die neue Kopie konnte die Rechte der Datei nicht übernehmen: %1.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>It could not be read: %1.</source>
        <translation>Sie konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>It is not the game&apos;s settings file, so it was not replaced.</source>
        <translation>Sie ist nicht die Einstellungsdatei des Spiels und wurde daher nicht ersetzt.</translation>
    </message>
    <message>
        <source>Its folder %1 could not be made: %2.</source>
        <translation>Ihr Ordner %1 konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>Writing it failed: %1.</source>
        <translation>Das Schreiben ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>There is no home folder to keep it in.</source>
        <translation>Es gibt keinen Benutzerordner, um sie zu speichern.</translation>
    </message>
    <message>
        <source>It is a link that leads nowhere.</source>
        <translation>Sie ist eine Verknüpfung, die ins Leere führt.</translation>
    </message>
    <message>
        <source>Your choice could not be kept for the next start of the game:</source>
        <translation>Ihre Wahl konnte für den nächsten Start des Spiels nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>It holds until the game is closed.</source>
        <translation>Sie gilt, bis das Spiel beendet wird.</translation>
    </message>
</context>
<context>
    <name>TitleWindow</name>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Title animation</source>
        <translation>Titelanimation</translation>
    </message>
</context>
<context>
    <name>ZoomWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>&amp;Marks on the balls</source>
        <translation>&amp;Markierungen auf den Kugeln</translation>
    </message>
    <message>
        <source>A mark of its colour&apos;s own shape in every ball, to tell the colours apart.</source>
        <translation>In jeder Kugel eine Markierung, deren Form für jede Farbe eine andere ist, um die Farben auseinanderzuhalten.</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Maßstab</translation>
    </message>
</context>
</TS>
