<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CardBox</name>
    <message>
        <source>%1行目 %2列目のカード</source>
        <translation>Card in row %1, column %2</translation>
    </message>
</context>
<context>
    <name>CardFace</name>
    <message>
        <source>裏向き</source>
        <translation>face down</translation>
    </message>
    <message>
        <source>表向き</source>
        <translation>face up</translation>
    </message>
    <message>
        <source>揃った</source>
        <translation>matched</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>詳しくは &apos;%1 --help&apos; を実行してください。</source>
        <translation>Try &apos;%1 --help&apos; for more information.</translation>
    </message>
    <message>
        <source>手ざわりで遊ぶ神経衰弱です。
カードごとのエフェクトを感じ取って、同じカードの組を探します。</source>
        <translation>A memory card game played by touch: find the pairs of cards by the effect each plays.</translation>
    </message>
    <message>
        <source>このヘルプを表示して終了します。</source>
        <translation>Show this help and quit.</translation>
    </message>
    <message>
        <source>バージョンを表示して終了します。</source>
        <translation>Show the version and quit.</translation>
    </message>
    <message>
        <source>すべてのエフェクトを音でも鳴らします。
フォースフィードバック機器がなくても、耳で遊べます。</source>
        <translation>Play every effect as sound as well, so the game can be played by ear, also without a force-feedback device.</translation>
    </message>
    <message>
        <source>余分な引数 &apos;%1&apos; があります。</source>
        <translation>Unexpected argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>使い方: %1 [オプション]</source>
        <translation>Usage: %1 [options]</translation>
    </message>
    <message>
        <source>この回のゲームをプレイ記録として、1ゲーム1行で
FILEに追記します。設定にかかわらず、この回だけです。</source>
        <translation>Append each game of this run to FILE as a play journal, one line a game, whatever the settings say.</translation>
    </message>
    <message>
        <source>--journal にはファイル名が必要です。</source>
        <translation>--journal needs a file name.</translation>
    </message>
</context>
<context>
    <name>CommonDialog</name>
    <message>
        <source>パスが存在しません。</source>
        <translation>The path does not exist.</translation>
    </message>
    <message>
        <source>パスが正しいか確認してください。</source>
        <translation>Check that the path is correct.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>ファイル名を確認してください。</source>
        <translation>Check the file name.</translation>
    </message>
    <message>
        <source>このフォルダーの次のファイルは、名前がUTF-8ではないため一覧に表示できません。名前を変えると選べます。</source>
        <translation>These files in this folder cannot be listed, as their names are not UTF-8; rename them to choose them.</translation>
    </message>
</context>
<context>
    <name>EffectFileChoice</name>
    <message>
        <source>IFRファイル読込みエラー</source>
        <translation>Error loading the IFR file.</translation>
    </message>
    <message>
        <source>エフェクトが８つ以上ありません。</source>
        <translation>The file has fewer than eight effects.</translation>
    </message>
    <message>
        <source>IFRファイルを開く</source>
        <translation>Open IFR file</translation>
    </message>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
</context>
<context>
    <name>EffectFileRefusal</name>
    <message>
        <source>%1行%2列目: %3</source>
        <translation>Line %1, column %2: %3</translation>
    </message>
    <message>
        <source>ファイルが指定されていません。</source>
        <translation>No file is given.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>ファイルではなくフォルダーです。</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1バイト。1 MiBまでです）。</source>
        <translation>The file is too large (%1 bytes; at most 1 MiB).</translation>
    </message>
    <message>
        <source>ファイルを読む権限がありません。</source>
        <translation>Permission denied: the file may not be read.</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>ファイルを読み込めません: %1</source>
        <translation>The file cannot be read: %1</translation>
    </message>
    <message>
        <source>TOMLとして読めません。</source>
        <translation>It is not valid TOML.</translation>
    </message>
    <message>
        <source>エフェクトファイルの書き方に誤りがあります。</source>
        <translation>It is not written as an effect file must be.</translation>
    </message>
    <message>
        <source>ファイルを読むためのメモリーが足りません。</source>
        <translation>There is not enough memory to read the file.</translation>
    </message>
    <message>
        <source>このファイルのエフェクトは%1個です。</source>
        <translation>Effects in this file: %1.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>フォースフィードバック機器を使用できません。</source>
        <translation>The force-feedback device cannot be used.</translation>
    </message>
    <message>
        <source>使用環境をもう一度お確かめください。</source>
        <translation>Please check your setup.</translation>
    </message>
    <message>
        <source>%1 でエラーが発生しました。</source>
        <translation>An error occurred in %1.</translation>
    </message>
</context>
<context>
    <name>FileReadError</name>
    <message>
        <source>カードの画像ファイルを読み込めません。</source>
        <translation>Cannot read the card image file.</translation>
    </message>
    <message>
        <source>IFRファイルを読み込めません。</source>
        <translation>Cannot read the IFR file.</translation>
    </message>
    <message>
        <source>プログラムのフォルダーを使用できません。</source>
        <translation>The program's folder cannot be used.</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>ゲームを開始するにはZolva開始ボタンを押してください</source>
        <translation>Press &quot;New game&quot; to start a game.</translation>
    </message>
    <message>
        <source>IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください</source>
        <translation>Press &quot;Load IFR file...&quot; and choose the effects to play.</translation>
    </message>
    <message>
        <source>正解！</source>
        <translation>A pair!</translation>
    </message>
    <message>
        <source>残念、違います。</source>
        <translation>Not a pair.</translation>
    </message>
    <message>
        <source>%1秒で全部揃いました。</source>
        <translation>All pairs found in %1 seconds.</translation>
    </message>
</context>
<context>
    <name>PlayJournal</name>
    <message>
        <source>プレイ記録を書き込めません。
%1
この回の記録は残りませんが、ゲームはそのまま続けられます。</source>
        <translation>The play journal cannot be written:
%1
This run&apos;s games are not kept, but the game goes on.</translation>
    </message>
</context>
<context>
    <name>PracticeBoard</name>
    <message>
        <source>効果を覚える...</source>
        <translation>Learn the effects...</translation>
    </message>
    <message>
        <source>効果を覚える</source>
        <translation>Learn the effects</translation>
    </message>
    <message>
        <source>カードを押すと、その効果を感じられます。</source>
        <translation>Press a card to feel its effect.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>使用環境をもう一度お確かめください。</source>
        <translation>Please check your setup.</translation>
    </message>
    <message>
        <source>フォースフィードバックが使用できません</source>
        <translation>Force feedback is not available.</translation>
    </message>
    <message>
        <source>フォースフィードバックに対応した機器が接続されていません</source>
        <translation>No force-feedback device is connected.</translation>
    </message>
    <message>
        <source>音声出力も使用できません。</source>
        <translation>No audio output is available either.</translation>
    </message>
    <message>
        <source>音で遊ぶ</source>
        <translation>Play by ear</translation>
    </message>
</context>
<context>
    <name>TurnNarration</name>
    <message>
        <source>残り%1枚</source>
        <translation>%1 cards left</translation>
    </message>
</context>
<context>
    <name>pelnori::frmMain</name>
    <message>
        <source>IFRﾌｧｲﾙ読込...</source>
        <translation>Load IFR file...</translation>
    </message>
    <message>
        <source>残り枚数</source>
        <translation>To find</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>IFRファイル</source>
        <translation>IFR file</translation>
    </message>
    <message>
        <source>Zolva開始</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>残り%1枚、%2秒</source>
        <translation>%1 cards left, %2 seconds</translation>
    </message>
</context>
</TS>
