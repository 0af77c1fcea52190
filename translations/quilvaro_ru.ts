<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>About</name>
    <message>
        <source>   QUILVARO: line up five balls of one colour and clear the board.</source>
        <translation>   QUILVARO: собирайте линии из пяти шаров одного цвета.</translation>
    </message>
    <message>
        <source>   Rules:</source>
        <translation>   Правила:</translation>
    </message>
    <message>
        <source>   Select balls by click,  then  select free place  in  box to move it  there. <byte value="xd"/>
When five (or more) balls one colored in one line occure,  they  disappear <byte value="xd"/>
and bring you five (or more) puncts to your score.  Control new balls that <byte value="xd"/>
will appear at next move in right side of picture.</source>
        <translation>   Щёлкните по шару, чтобы выбрать его, затем по свободной <byte value="xd"/>
клетке, куда его переместить. Когда пять (или больше) шаров <byte value="xd"/>
одного цвета встают в одну линию, они исчезают и приносят <byte value="xd"/>
вам пять (или больше) очков. Следите за новыми шарами <byte value="xd"/>
следующего хода: они показаны справа от поля.</translation>
    </message>
    <message>
        <source>   To remember your result put yor name in players list or select from list <byte value="xd"/>
befor starting game. </source>
        <translation>   Чтобы ваш результат сохранился, перед началом игры <byte value="xd"/>
впишите своё имя в список игроков или выберите его из списка. </translation>
    </message>
    <message>
        <source>   To change picture size click  &quot;Zoom&quot;  button and select scale is<byte value="xd"/>
needing for.</source>
        <translation>   Чтобы изменить размер окна, нажмите «Масштаб» <byte value="xd"/>
и выберите нужный масштаб из списка.</translation>
    </message>
    <message>
        <source>QUILVARO, a game by Dremwick</source>
        <translation>QUILVARO, игра от Dremwick</translation>
    </message>
    <message>
        <source>Rules and options.</source>
        <translation>Правила и настройки.</translation>
    </message>
</context>
<context>
    <name>BallColor</name>
    <message>
        <source>red</source>
        <translation>красный</translation>
    </message>
    <message>
        <source>green</source>
        <translation>зелёный</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>синий</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>жёлтый</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>голубой</translation>
    </message>
    <message>
        <source>pink</source>
        <translation>розовый</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: no display to open the game&apos;s window on (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>%1: нет дисплея, чтобы открыть окно игры (не задан ни DISPLAY, ни WAYLAND_DISPLAY).</translation>
    </message>
    <message>
        <source>%1: no X display to open the game&apos;s window on (DISPLAY is not set).</source>
        <translation>%1: нет дисплея X, чтобы открыть окно игры (DISPLAY не задан).</translation>
    </message>
    <message>
        <source>%1: no Wayland display to open the game&apos;s window on (WAYLAND_DISPLAY is not set).</source>
        <translation>%1: нет дисплея Wayland, чтобы открыть окно игры (WAYLAND_DISPLAY не задан).</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Подробнее: «%1 --help».</translation>
    </message>
    <message>
        <source>Move coloured balls on a 9 by 9 board and clear lines of five or more.
Qt&apos;s standard options, such as -platform, -style and -reverse, apply as well.</source>
        <translation>Передвигайте цветные шары на поле 9 на 9 и собирайте линии из пяти и более.
Стандартные параметры Qt, такие как -platform, -style и -reverse, тоже действуют.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Показать эту справку и выйти.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Показать версию и выйти.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>лишний аргумент «%1».</translation>
    </message>
    <message>
        <source>%1: cannot open the game&apos;s window: %2</source>
        <translation>%1: не удаётся открыть окно игры: %2</translation>
    </message>
    <message>
        <source>Draw a mark in every ball, its shape telling the colour (this run only; the Zoom window&apos;s check box keeps the choice).</source>
        <translation>Рисовать в каждом шаре метку, форма которой обозначает цвет (только при этом запуске; флажок в окне «Масштаб» запоминает выбор).</translation>
    </message>
    <message>
        <source>Draw the balls without marks (this run only).</source>
        <translation>Рисовать шары без меток (только при этом запуске).</translation>
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
Следующие шары:</translation>
    </message>
    <message>
        <source>Game over</source>
        <translation>Игра окончена</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>СТОП</translation>
    </message>
    <message>
        <source>Game over.</source>
        <translation>Игра окончена.</translation>
    </message>
    <message>
        <source>Not bad.<byte value="xd"/>
<byte value="xd"/>
You&apos;ve improved <byte value="xd"/>
<byte value="xd"/>
your own result!</source>
        <translation>Неплохо.<byte value="xd"/>
<byte value="xd"/>
Вы улучшили <byte value="xd"/>
<byte value="xd"/>
свой результат!</translation>
    </message>
    <message>
        <source>Congratulations!<byte value="xd"/>
<byte value="xd"/>
You result <byte value="xd"/>
<byte value="xd"/>
is the best!</source>
        <translation>Поздравляем!<byte value="xd"/>
<byte value="xd"/>
Ваш результат <byte value="xd"/>
<byte value="xd"/>
лучший!</translation>
    </message>
    <message>
        <source>Result not kept:<byte value="xd"/>
no player chosen.<byte value="xd"/>
<byte value="xd"/>
Choose or add one<byte value="xd"/>
under Player<byte value="xd"/>
before Start.</source>
        <translation>Счёт не сохранён:<byte value="xd"/>
игрок не выбран.<byte value="xd"/>
<byte value="xd"/>
Выберите игрока<byte value="xd"/>
в меню «Игрок»<byte value="xd"/>
перед стартом.</translation>
    </message>
</context>
<context>
    <name>Keys</name>
    <message>
        <source>Alt alone or F10: the menu bar; Esc leaves it.</source>
        <translation>Alt отдельно или F10: строка меню; Esc — выход из неё.</translation>
    </message>
    <message>
        <source>On the board:</source>
        <translation>На поле:</translation>
    </message>
    <message>
        <source>Arrows: move the cursor one cell.</source>
        <translation>Стрелки: курсор на одну клетку.</translation>
    </message>
    <message>
        <source>Home, End: to the ends of the row.</source>
        <translation>Home, End: к концам ряда.</translation>
    </message>
    <message>
        <source>Page Up, Page Down: to the ends of the column.</source>
        <translation>Page Up, Page Down: к концам столбца.</translation>
    </message>
    <message>
        <source>Enter: select the ball under the cursor, or move the selected ball there.</source>
        <translation>Enter: выбрать шар под курсором или переместить туда выбранный шар.</translation>
    </message>
    <message>
        <source>N: the next balls.</source>
        <translation>N: следующие шары.</translation>
    </message>
    <message>
        <source>S: the score, the moves and the best results.</source>
        <translation>S: счёт, ходы и лучшие результаты.</translation>
    </message>
    <message>
        <source>B: where the selected ball is.</source>
        <translation>B: где выбранный шар.</translation>
    </message>
    <message>
        <source>R: the balls in the cursor&apos;s row. C: in its column.</source>
        <translation>R: шары в ряду курсора. C: в его столбце.</translation>
    </message>
    <message>
        <source>F: how many cells are free.</source>
        <translation>F: сколько клеток свободно.</translation>
    </message>
    <message>
        <source>Tab: the names, the results, the moves and Quit.</source>
        <translation>Tab: имена, результаты, ходы и «Выход».</translation>
    </message>
    <message>
        <source>Space: minimize the window, or restore it.</source>
        <translation>Пробел: свернуть окно или вернуть его.</translation>
    </message>
    <message>
        <source>Esc: end the program at once; a game in progress is not kept.</source>
        <translation>Esc: сразу закрыть программу; начатая игра не сохраняется.</translation>
    </message>
    <message>
        <source>F1: this list.</source>
        <translation>F1: этот список.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Клавиши</translation>
    </message>
    <message>
        <source>%1: start or stop a game.</source>
        <translation>%1: начать или остановить игру.</translation>
    </message>
    <message>
        <source>%1: the players list. %2: the scale. %3: the rules.</source>
        <translation>%1: список игроков. %2: масштаб. %3: правила.</translation>
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
        <translation>Привет, игрок!<byte value="xd"/>
<byte value="xd"/>
Начнём.<byte value="xd"/>
<byte value="xd"/>
Нажмите «Старт».</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Ходы</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Player</source>
        <translation>&amp;Игрок</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Масштаб</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Об игре</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Старт</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Счёт</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Рекорд</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Стоп</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>ряд %1, столбец %2: пусто</translation>
    </message>
    <message>
        <source>row %1, column %2: %3 ball, selected</source>
        <translation>ряд %1, столбец %2: шар, %3, выбран</translation>
    </message>
    <message>
        <source>row %1, column %2: %3 ball</source>
        <translation>ряд %1, столбец %2: шар, %3</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>Arrow keys move the cursor; Enter selects the ball under it or moves the selected ball there.</source>
        <translation>Стрелки двигают курсор; Enter выбирает шар под ним или перемещает туда выбранный шар.</translation>
    </message>
    <message>
        <source>Current player&apos;s name</source>
        <translation>Имя текущего игрока</translation>
    </message>
    <message>
        <source>Current player&apos;s result or score</source>
        <translation>Результат или счёт текущего игрока</translation>
    </message>
    <message>
        <source>Best player&apos;s name</source>
        <translation>Имя лучшего игрока</translation>
    </message>
    <message>
        <source>Best player&apos;s result</source>
        <translation>Результат лучшего игрока</translation>
    </message>
    <message>
        <source>Number of moves</source>
        <translation>Число ходов</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Сообщения</translation>
    </message>
    <message>
        <source>Next balls</source>
        <translation>Следующие шары</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>%1 plays. Best result: %2.</source>
        <translation>Играет %1. Лучший результат: %2.</translation>
    </message>
    <message>
        <source>Scale %1.</source>
        <translation>Масштаб %1.</translation>
    </message>
    <message>
        <source>%1 starts a game, the arrows and Enter play, F1 tells all the keys, Esc ends the program at once.</source>
        <translation>%1 начинает игру, стрелки и Enter — ходы, F1 называет все клавиши, Esc сразу закрывает программу.</translation>
    </message>
</context>
<context>
    <name>Narration</name>
    <message>
        <source>row %1, column %2</source>
        <translation>ряд %1, столбец %2</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>New balls: %1.</source>
        <translation>Новые шары: %1.</translation>
    </message>
    <message>
        <source>Line cleared: +%1 points, score %2.</source>
        <translation>Линия убрана: +%1 к счёту, счёт %2.</translation>
    </message>
    <message>
        <source>Next: %1.</source>
        <translation>Следующие: %1.</translation>
    </message>
    <message>
        <source>No game. Start one from the menu.</source>
        <translation>Игры нет. Начните её в меню.</translation>
    </message>
    <message>
        <source>%1 ball still selected.</source>
        <translation>Шар, %1, по-прежнему выбран.</translation>
    </message>
    <message>
        <source>%1 ball selected.</source>
        <translation>Шар, %1, выбран.</translation>
    </message>
    <message>
        <source>No ball selected.</source>
        <translation>Шар не выбран.</translation>
    </message>
    <message>
        <source>No way there.</source>
        <translation>Туда нет пути.</translation>
    </message>
    <message>
        <source>Moved to %1.</source>
        <translation>Перемещён: %1.</translation>
    </message>
    <message>
        <source>Game started.</source>
        <translation>Игра началась.</translation>
    </message>
    <message>
        <source>Selected: %1 ball at %2.</source>
        <translation>Выбран шар, %1: %2.</translation>
    </message>
    <message>
        <source>selected %1</source>
        <translation>%1 (выбран)</translation>
    </message>
    <message>
        <source>%1 in column %2</source>
        <translation>%1 в столбце %2</translation>
    </message>
    <message>
        <source>%1 in row %2</source>
        <translation>%1 в ряду %2</translation>
    </message>
    <message>
        <source>Row %1: empty.</source>
        <translation>Ряд %1: пусто.</translation>
    </message>
    <message>
        <source>Column %1: empty.</source>
        <translation>Столбец %1: пусто.</translation>
    </message>
    <message>
        <source>Row %1: %2.</source>
        <translation>Ряд %1: %2.</translation>
    </message>
    <message>
        <source>Column %1: %2.</source>
        <translation>Столбец %1: %2.</translation>
    </message>
    <message>
        <source>Free cells: %1.</source>
        <translation>Свободных клеток: %1.</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Score %1, moves %2. Your best: %3. Best of all: %4.</source>
        <translation>Счёт %1, ходов %2. Ваш лучший: %3. Лучший из всех: %4.</translation>
    </message>
</context>
<context>
    <name>NewPlayerWindow</name>
    <message>
        <source>Input your name:</source>
        <translation>Введите своё имя:</translation>
    </message>
    <message>
        <source>Welcome!</source>
        <translation>Добро пожаловать!</translation>
    </message>
    <message>
        <source>&amp;O&apos;k</source>
        <translation>&amp;Готово</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Отмена</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Ваше имя</translation>
    </message>
    <message>
        <source>The players file cannot hold these characters of the name:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Please change them and try again.</source>
        <translation>Файл игроков не может хранить эти символы имени:<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
<byte value="xd"/>
Измените их и попробуйте снова.</translation>
    </message>
</context>
<context>
    <name>PlayersFile</name>
    <message>
        <source>The players file was left as it was.</source>
        <translation>Файл игроков остался без изменений.</translation>
    </message>
    <message>
        <source>Your result %1 could not be stored in the players file</source>
        <translation>Ваш результат %1 не удалось записать в файл игроков</translation>
    </message>
    <message>
        <source>Player: %1</source>
        <translation>Игрок: %1</translation>
    </message>
    <message>
        <source>The players file could not be opened, neither beside the game<byte value="xd"/>
%1<byte value="xd"/>
nor in your data folder<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Results will not be kept in this session.</source>
        <translation>Файл игроков не удалось открыть ни рядом с игрой<byte value="xd"/>
%1<byte value="xd"/>
ни в вашей папке данных<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
В этом сеансе результаты не сохраняются.</translation>
    </message>
    <message>
        <source>The list of players could not be stored in the players file</source>
        <translation>Список игроков не удалось записать в файл игроков</translation>
    </message>
    <message>
        <source>The file could not be read: %1.</source>
        <translation>Файл не удалось прочитать: %1.</translation>
    </message>
    <message>
        <source>It is a link to a file that does not exist.</source>
        <translation>Это ссылка на несуществующий файл.</translation>
    </message>
    <message>
        <source>It could not be read: %1.</source>
        <translation>Его не удалось прочитать: %1.</translation>
    </message>
    <message>
        <source>It is not a file but a folder, a pipe or a device.</source>
        <translation>Это не файл, а папка, канал или устройство.</translation>
    </message>
    <message>
        <source>Results are not kept in this session.</source>
        <translation>В этом сеансе результаты не сохраняются.</translation>
    </message>
    <message>
        <source>The players file could not be used:</source>
        <translation>Файл игроков нельзя использовать:</translation>
    </message>
    <message>
        <source>Results will not be kept in this session.</source>
        <translation>В этом сеансе результаты не будут сохраняться.</translation>
    </message>
    <message>
        <source>Results are kept in your data folder, since they could not be kept beside the game:</source>
        <translation>Результаты хранятся в вашей папке данных, так как их нельзя хранить рядом с игрой:</translation>
    </message>
    <message>
        <source>The file is read-only for you.</source>
        <translation>Файл доступен вам только для чтения.</translation>
    </message>
    <message>
        <source>The game&apos;s folder is read-only for you.</source>
        <translation>Папка игры доступна вам только для чтения.</translation>
    </message>
    <message>
        <source>Results are kept in your data folder from now on:</source>
        <translation>Теперь результаты хранятся в вашей папке данных:</translation>
    </message>
    <message>
        <source>They could not be kept beside the game:</source>
        <translation>Их нельзя хранить рядом с игрой:</translation>
    </message>
    <message>
        <source>It could not be opened for writing: %1.</source>
        <translation>Его не удалось открыть для записи: %1.</translation>
    </message>
    <message>
        <source>It is a link that leads nowhere: the links go round in a loop, or there are too many of them.</source>
        <translation>Это ссылка, которая никуда не ведёт: ссылки идут по кругу или их слишком много.</translation>
    </message>
    <message>
        <source>It is not a players file, so it was not replaced.</source>
        <translation>Это не файл игроков, поэтому он не был заменён.</translation>
    </message>
    <message>
        <source>The players file can be read, but not written:</source>
        <translation>Файл игроков можно прочитать, но нельзя записать:</translation>
    </message>
    <message>
        <source>Your data folder is read-only for you.</source>
        <translation>Ваша папка данных доступна вам только для чтения.</translation>
    </message>
    <message>
        <source>The game&apos;s folder could not be found.</source>
        <translation>Папку игры не удалось найти.</translation>
    </message>
    <message>
        <source>The game&apos;s folder could not be opened: %1.</source>
        <translation>Папку игры не удалось открыть: %1.</translation>
    </message>
    <message>
        <source>The players file had been deleted or cut short since the game read it. It was written again from the list of players in the game:</source>
        <translation>Файл игроков был удалён или укорочен после того, как игра его прочитала. Он записан заново по списку игроков в игре:</translation>
    </message>
    <message>
        <source>Another copy of the game has given this player&apos;s record to %1.</source>
        <translation>Другая копия игры отдала запись этого игрока игроку %1.</translation>
    </message>
    <message>
        <source>This player is not in the players file.</source>
        <translation>Этого игрока нет в файле игроков.</translation>
    </message>
</context>
<context>
    <name>PlayersFileLock</name>
    <message>
        <source>1 second</source>
        <translation>1 секунду</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>There is no players file in this session.</source>
        <translation>В этом сеансе файла игроков нет.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the players file and did not release it within %1.</source>
        <translation>Другая копия игры занята файлом игроков и не освободила его за %1.</translation>
    </message>
    <message>
        <source>The players file could not be created: %1.</source>
        <translation>Не удалось создать файл игроков: %1.</translation>
    </message>
    <message>
        <source>The players file could not be read: %1.</source>
        <translation>Не удалось прочитать файл игроков: %1.</translation>
    </message>
    <message>
        <source>The players file could not be locked: %1.</source>
        <translation>Не удалось заблокировать файл игроков: %1.</translation>
    </message>
</context>
<context>
    <name>PlayersListWindow</name>
    <message>
        <source>Players List</source>
        <translation>Список игроков</translation>
    </message>
    <message>
        <source>S&amp;elect</source>
        <translation>&amp;Выбрать</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Новый</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>PLAYER</source>
        <translation>ИГРОК</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>РЕЗУЛЬТАТ</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Игроки</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>Invalid position in the file.</source>
        <translation>Недопустимая позиция в файле.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file.</source>
        <translation>%1 — это папка, а не файл.</translation>
    </message>
    <message>
        <source>The file could not be read: %1.</source>
        <translation>Файл не удалось прочитать: %1.</translation>
    </message>
    <message>
        <source>There is not enough free space on the disk for a new copy of the file (%1 bytes needed, %2 bytes free).</source>
        <translation>На диске недостаточно места для новой копии файла (нужно байт: %1, свободно: %2).</translation>
    </message>
    <message>
        <source>A new copy could not be created beside it: %1.</source>
        <translation>Не удалось создать рядом с ним новую копию: %1.</translation>
    </message>
    <message>
        <source>Writing the new copy failed: %1.</source>
        <translation>Не удалось записать новую копию: %1.</translation>
    </message>
    <message>
        <source>The file could not be read to its end.</source>
        <translation>Файл не удалось прочитать до конца.</translation>
    </message>
    <message>
        <source>Writing the file failed: %1.</source>
        <translation>Не удалось записать файл: %1.</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 — не обычный файл</translation>
    </message>
    <message>
        <source>The new copy could not take the file&apos;s permissions: %1.</source>
        <translation>Новой копии не удалось передать права доступа файла: %1.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>It could not be read: %1.</source>
        <translation>Его не удалось прочитать: %1.</translation>
    </message>
    <message>
        <source>It is not the game&apos;s settings file, so it was not replaced.</source>
        <translation>Это не файл настроек игры, поэтому он не был заменён.</translation>
    </message>
    <message>
        <source>Its folder %1 could not be made: %2.</source>
        <translation>Не удалось создать его папку %1: %2.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 — не папка.</translation>
    </message>
    <message>
        <source>Writing it failed: %1.</source>
        <translation>Не удалось записать его: %1.</translation>
    </message>
    <message>
        <source>There is no home folder to keep it in.</source>
        <translation>Нет домашней папки, чтобы его сохранить.</translation>
    </message>
    <message>
        <source>It is a link that leads nowhere.</source>
        <translation>Это ссылка, которая никуда не ведёт.</translation>
    </message>
    <message>
        <source>Your choice could not be kept for the next start of the game:</source>
        <translation>Ваш выбор не удалось сохранить до следующего запуска игры:</translation>
    </message>
    <message>
        <source>It holds until the game is closed.</source>
        <translation>Он действует, пока игра не закрыта.</translation>
    </message>
</context>
<context>
    <name>TitleWindow</name>
    <message>
        <source>Title</source>
        <translation>Заставка</translation>
    </message>
    <message>
        <source>Title animation</source>
        <translation>Анимация заставки</translation>
    </message>
</context>
<context>
    <name>ZoomWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <source>&amp;Marks on the balls</source>
        <translation>&amp;Метки на шарах</translation>
    </message>
    <message>
        <source>A mark of its colour&apos;s own shape in every ball, to tell the colours apart.</source>
        <translation>В каждом шаре метка, форма которой своя у каждого цвета, чтобы цвета можно было различить.</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Масштаб</translation>
    </message>
</context>
</TS>
