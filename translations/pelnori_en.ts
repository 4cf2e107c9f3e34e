<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BestTimeStore</name>
    <message>
        <source>記録のファイルが読めないため、%1 として残し、記録を新しく始めます。</source>
        <translation>The best times file could not be read. It was kept as %1, and the best times start afresh.</translation>
    </message>
    <message>
        <source>記録のファイル %1 が読めないため、記録を残せません。</source>
        <translation>The best times file %1 cannot be read, so this time cannot be kept.</translation>
    </message>
    <message>
        <source>記録を %1 に保存できませんでした。</source>
        <translation>The best time could not be saved to %1.</translation>
    </message>
    <message>
        <source>記録を消せませんでした。</source>
        <translation>The best times could not be cleared.</translation>
    </message>
</context>
<context>
    <name>BestTimesDialog</name>
    <message>
        <source>記録</source>
        <translation>Best times</translation>
    </message>
    <message>
        <source>エフェクトファイル</source>
        <translation>Effect file</translation>
    </message>
    <message>
        <source>%1ペア</source>
        <translation>%1 pairs</translation>
    </message>
    <message>
        <source>まだ記録がありません。</source>
        <translation>No best times yet.</translation>
    </message>
    <message>
        <source>記録を消す...</source>
        <translation>Clear...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>すべての記録を消しますか？</source>
        <translation>Clear all best times?</translation>
    </message>
</context>
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
    <message>
        <source>この回の遊び方です。1 は一人、2 は二人、
computer はコンピューターと対戦します。</source>
        <translation>Who plays, for this run: 1 alone, 2 for two players taking turns,
computer against the computer.</translation>
    </message>
    <message>
        <source>--players には 1、2、computer のどれかを指定してください（&apos;%1&apos; は使えません）。</source>
        <translation>--players takes 1, 2 or computer, not &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>この回だけ、ペアの数を N にします（4、6、8）。</source>
        <translation>Play with N pairs for this run (4, 6 or 8).</translation>
    </message>
    <message>
        <source>この回だけ、効果の強さを PERCENT %にします
（10〜100、10ずつ）。</source>
        <translation>Play effects at PERCENT % strength for this run
(10 to 100, in steps of 10).</translation>
    </message>
    <message>
        <source>この回だけ、表示の大きさを PERCENT %にします
（100、150、200、300）。</source>
        <translation>Show the window at PERCENT % size for this run
(100, 150, 200 or 300).</translation>
    </message>
    <message>
        <source>--%1 に &apos;%2&apos; は使えません。%3</source>
        <translation>Invalid value &apos;%2&apos; for --%1. %3</translation>
    </message>
    <message>
        <source>4、6、8 のどれかを指定してください。</source>
        <translation>Use 4, 6 or 8.</translation>
    </message>
    <message>
        <source>10〜100 の 10 の倍数を指定してください。</source>
        <translation>Use a multiple of 10 from 10 to 100.</translation>
    </message>
    <message>
        <source>100、150、200、300 のどれかを指定してください。</source>
        <translation>Use 100, 150, 200 or 300.</translation>
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
    <name>ControllerSection</name>
    <message>
        <source>コントローラー</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>使うコントローラー</source>
        <translation>Controller to use</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>%1（未接続）</source>
        <translation>%1 (not attached)</translation>
    </message>
    <message>
        <source>カードをめくる</source>
        <translation>Turn a card</translation>
    </message>
    <message>
        <source>ゲーム開始</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>効果ファイル</source>
        <translation>Effect file</translation>
    </message>
    <message>
        <source>状態を聞く</source>
        <translation>Hear the state</translation>
    </message>
    <message>
        <source>ボタンを押す…</source>
        <translation>Press a button…</translation>
    </message>
    <message>
        <source>ボタンを元に戻す</source>
        <translation>Reset the buttons</translation>
    </message>
    <message>
        <source>選んでからボタンを押します。BackかEscでやめます。</source>
        <translation>Choose one, then press its button. Back or Esc cancels.</translation>
    </message>
    <message>
        <source>%1は「%2」に使っています。</source>
        <translation>%1 is already used for “%2”.</translation>
    </message>
    <message>
        <source>スティックの遊び</source>
        <translation>Stick dead zone</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
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
    <message>
        <source>エフェクトが４つ以上ありません。</source>
        <translation>The file has fewer than four effects.</translation>
    </message>
    <message>
        <source>エフェクトが６つ以上ありません。</source>
        <translation>The file has fewer than six effects.</translation>
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
    <message>
        <source>自己ベスト！</source>
        <translation>New best time!</translation>
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
    <name>SettingsDialog</name>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>言語は次回の起動から変わります。</source>
        <translation>The language changes at the next start.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>ペアの数</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <source>試す</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>効果の強さを試す</source>
        <translation>Try the effect strength</translation>
    </message>
    <message>
        <source>効果の強さ</source>
        <translation>Effect strength</translation>
    </message>
    <message>
        <source>音でも遊ぶ</source>
        <translation>Play by ear too</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>表示の大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>見やすいカード</source>
        <translation>High-contrast cards</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>Players</translation>
    </message>
    <message>
        <source>一人</source>
        <translation>One player</translation>
    </message>
    <message>
        <source>二人</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>コンピューターと</source>
        <translation>Against the computer</translation>
    </message>
    <message>
        <source>コンピューターの強さ</source>
        <translation>Computer&apos;s level</translation>
    </message>
    <message>
        <source>やさしい</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>つよい</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>コントローラーを入れ替える</source>
        <translation>Swap the controllers</translation>
    </message>
    <message>
        <source>プレイ記録を残す</source>
        <translation>Keep a play journal</translation>
    </message>
</context>
<context>
    <name>SettingsFlow</name>
    <message>
        <source>ペアの数は次のゲームから変わります。</source>
        <translation>The number of pairs changes from the next game.</translation>
    </message>
    <message>
        <source>音は次回の起動から止まります。</source>
        <translation>The sound stops from the next start.</translation>
    </message>
    <message>
        <source>設定を変更しました。</source>
        <translation>Settings changed.</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。今回の実行中だけ有効です。</source>
        <translation>The settings could not be kept. They apply until the program ends.</translation>
    </message>
    <message>
        <source>試せる効果がありません。IFRファイルを選んでください。</source>
        <translation>There is no effect to try. Choose an IFR file.</translation>
    </message>
    <message>
        <source>遊び方は次のゲームから変わります。</source>
        <translation>Who plays changes from the next game.</translation>
    </message>
    <message>
        <source>プレイ記録は次のゲームから残ります。</source>
        <translation>The play journal starts with the next game.</translation>
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
        <source>音声出力が使用できません。</source>
        <translation>No audio output is available.</translation>
    </message>
    <message>
        <source>エフェクトは音なしで再生します。</source>
        <translation>The effects play without sound.</translation>
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
    <message>
        <source>%1。%2</source>
        <comment>a card&apos;s state, then what the press did</comment>
        <translation>%1. %2</translation>
    </message>
</context>
<context>
    <name>Turns</name>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>1P</source>
        <comment>counter label</comment>
        <translation>1P</translation>
    </message>
    <message>
        <source>2P</source>
        <comment>counter label</comment>
        <translation>2P</translation>
    </message>
    <message>
        <source>コンピューター</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>1P</source>
        <comment>player</comment>
        <translation>Player 1</translation>
    </message>
    <message>
        <source>2P</source>
        <comment>player</comment>
        <translation>Player 2</translation>
    </message>
    <message>
        <source>あなたの番</source>
        <translation>Your turn</translation>
    </message>
    <message>
        <source>コンピューターの番</source>
        <translation>The computer&apos;s turn</translation>
    </message>
    <message>
        <source>1Pの番</source>
        <translation>Player 1&apos;s turn</translation>
    </message>
    <message>
        <source>2Pの番</source>
        <translation>Player 2&apos;s turn</translation>
    </message>
    <message>
        <source>引き分け（%1対%2）</source>
        <translation>A draw (%1 to %2)</translation>
    </message>
    <message>
        <source>あなたの勝ち（%1対%2）</source>
        <translation>You win (%1 to %2)</translation>
    </message>
    <message>
        <source>コンピューターの勝ち（%1対%2）</source>
        <translation>The computer wins (%1 to %2)</translation>
    </message>
    <message>
        <source>1Pの勝ち（%1対%2）</source>
        <translation>Player 1 wins (%1 to %2)</translation>
    </message>
    <message>
        <source>2Pの勝ち（%1対%2）</source>
        <translation>Player 2 wins (%1 to %2)</translation>
    </message>
    <message>
        <source>%1 %2組、%3 %4組、%5</source>
        <translation>Pairs: %1 %2, %3 %4. %5</translation>
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
    <message>
        <source>%1、%2秒</source>
        <translation>%1, %2 seconds</translation>
    </message>
    <message>
        <source>設定...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>記録...</source>
        <translation>Best times...</translation>
    </message>
    <message>
        <source>配りました</source>
        <translation>Cards dealt</translation>
    </message>
</context>
</TS>
