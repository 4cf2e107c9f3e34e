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
    <message>
        <source>フォースフィードバック機器がまだ応答しません。</source>
        <translation>The force-feedback device is not answering yet.</translation>
    </message>
    <message>
        <source>待つ</source>
        <translation>Wait</translation>
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
