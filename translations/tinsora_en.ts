<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>ClickablePanel</name>
    <message>
        <source>色なし</source>
        <translation>No colour</translation>
    </message>
    <message>
        <source>%1。%2</source>
        <translation>%1. %2</translation>
    </message>
</context>
<context>
    <name>Eyedropper</name>
    <message>
        <source>画面から色を取る</source>
        <translation>Pick a colour from the screen</translation>
    </message>
</context>
<context>
    <name>EyedropperPortal</name>
    <message>
        <source>デスクトップで色を取ることができませんでした</source>
        <translation>The desktop could not pick a colour</translation>
    </message>
    <message>
        <source>デスクトップで色を取ることができませんでした (%1)</source>
        <translation>The desktop could not pick a colour (%1)</translation>
    </message>
</context>
<context>
    <name>HtmlFindBar</name>
    <message>
        <source>検索する文字列</source>
        <translation>Text to find</translation>
    </message>
    <message>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>前を検索 (Shift+F3)</source>
        <translation>Find the previous (Shift+F3)</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>次を検索 (F3)</source>
        <translation>Find the next (F3)</translation>
    </message>
    <message>
        <source>閉じる (Esc)</source>
        <translation>Close (Esc)</translation>
    </message>
    <message>
        <source>検索を閉じる</source>
        <translation>Close the search</translation>
    </message>
</context>
<context>
    <name>HtmlTextView</name>
    <message>
        <source>クリップボードを開くことができません</source>
        <translation>Cannot open the clipboard</translation>
    </message>
    <message>
        <source>末尾から検索しました</source>
        <translation>Searched from the end</translation>
    </message>
    <message>
        <source>先頭から検索しました</source>
        <translation>Searched from the start</translation>
    </message>
    <message>
        <source>「%1」は見つかりません</source>
        <translation>&quot;%1&quot; was not found</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>削除(&amp;D)	Del</source>
        <translation>&amp;Delete	Del</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>検索(&amp;F)...	Ctrl+F</source>
        <translation>&amp;Find...	Ctrl+F</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>ファイル %1 への書き込みエラー</source>
        <translation>Error writing to the file %1</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ティンソラ</source>
        <translation>Tinsora</translation>
    </message>
    <message>
        <source>&#x3000;このプログラムはホームページの色とか作ったりするソフトです。役に立てば幸いです。</source>
        <translation>A program for making the colours of web pages, and more. May it be of use.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>ティンソラ</source>
        <translation>Tinsora</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Smallest</translation>
    </message>
    <message>
        <source>小</source>
        <translation>S</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>標</source>
        <translation>M</translation>
    </message>
    <message>
        <source>拡張</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>拡</source>
        <translation>L</translation>
    </message>
    <message>
        <source>画面から色を取る (Ctrl+E)</source>
        <translation>Pick a colour from the screen (Ctrl+E)</translation>
    </message>
    <message>
        <source>取</source>
        <translation>P</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>色を明るくしたり暗くしたりできます</source>
        <translation>Makes the colour lighter or darker</translation>
    </message>
    <message>
        <source>色の反転</source>
        <translation>Invert the colour</translation>
    </message>
    <message>
        <source>反</source>
        <translation>I</translation>
    </message>
    <message>
        <source>色をクリップボードにコピーします</source>
        <translation>Copies the colour to the clipboard</translation>
    </message>
    <message>
        <source>写</source>
        <translation>C</translation>
    </message>
    <message>
        <source>10  16</source>
        <translation>10  16</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾃﾞｰｼｮﾝ</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>色の情報</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>色の合成</source>
        <translation>Blend</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>=</source>
        <translation>=</translation>
    </message>
    <message>
        <source>色１</source>
        <translation>1st</translation>
    </message>
    <message>
        <source>中間</source>
        <translation>Mid</translation>
    </message>
    <message>
        <source>色２</source>
        <translation>2nd</translation>
    </message>
    <message>
        <source>ﾃﾝﾌﾟﾚｰﾄ</source>
        <translation>Templates</translation>
    </message>
    <message>
        <source>ダブルクリックすると色を渡します</source>
        <translation>Double-click to take the colour</translation>
    </message>
    <message>
        <source>BODYﾀｸﾞ</source>
        <translation>BODY tag</translation>
    </message>
    <message>
        <source>色を指定して、変更したい部分のラベルをクリックしてください。</source>
        <translation>Choose a colour, then click the label of the part to change.</translation>
    </message>
    <message>
        <source>背景色(bgcolor)</source>
        <translation>Back (bgcolor)</translation>
    </message>
    <message>
        <source>テキスト(text)</source>
        <translation>Text (text)</translation>
    </message>
    <message>
        <source>リンク(link)</source>
        <translation>Link (link)</translation>
    </message>
    <message>
        <source>既読リンク(vlink)</source>
        <translation>Visited (vlink)</translation>
    </message>
    <message>
        <source>選択リンク(alink)</source>
        <translation>Active (alink)</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾃﾞｰｼｮﾝ文字</source>
        <translation>Gradient text</translation>
    </message>
    <message>
        <source>グラデーションさせる文字の設定</source>
        <translation>The text to colour</translation>
    </message>
    <message>
        <source> 文 字 列</source>
        <translation> Text</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ</source>
        <translation>Text file</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>使用する色の設定</source>
        <translation>The colours to use</translation>
    </message>
    <message>
        <source>色の数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>■</source>
        <translation>■</translation>
    </message>
    <message>
        <source>簡単な表示例</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>←の設定</source>
        <translation>← More</translation>
    </message>
    <message>
        <source>グラデーション文字の拡張設定をします</source>
        <translation>More settings of the gradient text</translation>
    </message>
    <message>
        <source>文字のオプション(2)</source>
        <translation>Text options (2)</translation>
    </message>
    <message>
        <source>文字修飾</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>下線</source>
        <translation>Und.</translation>
    </message>
    <message>
        <source>取消線</source>
        <translation>Strike</translation>
    </message>
    <message>
        <source>固定幅</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>点滅</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>縦位置</source>
        <translation>Vert.</translation>
    </message>
    <message>
        <source>上付き</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>下付き</source>
        <translation>Sub</translation>
    </message>
    <message>
        <source>マーキー</source>
        <translation>Marquee</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Way</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>左</source>
        <translation>L</translation>
    </message>
    <message>
        <source>右</source>
        <translation>R</translation>
    </message>
    <message>
        <source>移動形式</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>ｽｸﾛｰﾙ</source>
        <translation>Scroll</translation>
    </message>
    <message>
        <source>ｽﾗｲﾄﾞ</source>
        <translation>Slide</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>タグの有効範囲</source>
        <translation>A tag for each</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>文字列</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>HTML方式で指定</source>
        <translation>As in HTML</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾃﾞｰｼｮﾝﾃｰﾌﾞﾙ</source>
        <translation>Gradient table</translation>
    </message>
    <message>
        <source>表の設定とレイアウト</source>
        <translation>Table and layout</translation>
    </message>
    <message>
        <source>列(TD)</source>
        <translation>Cols (TD)</translation>
    </message>
    <message>
        <source>セル</source>
        <translation>cells</translation>
    </message>
    <message>
        <source>行(TR)</source>
        <translation>Rows (TR)</translation>
    </message>
    <message>
        <source>罫線の幅</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>セル内の余白</source>
        <translation>Padding</translation>
    </message>
    <message>
        <source>セルのレイアウト</source>
        <translation>Cell layout</translation>
    </message>
    <message>
        <source>セルの幅</source>
        <translation>Cell width</translation>
    </message>
    <message>
        <source>セルの高さ</source>
        <translation>Cell height</translation>
    </message>
    <message>
        <source>グラデーションテーブルとは？</source>
        <translation>What is a gradient table?</translation>
    </message>
    <message>
        <source>&#x3000;グラデーションテーブルとは
&lt;TABLE&gt;タグのセルの背景色
を利用してグラデーションさせ
ることを指します。
&#x3000;画像を使わないで、綺麗な背
景を作り出すことができるので
、ホームページの軽減にもなり
ますが、あまりにも綺麗にしよう
とすると逆に重くなる場合もあり
ます。</source>
        <translation>  A gradient table is a
gradient made of the
background colours of the
cells of a &lt;TABLE&gt; tag.
  It makes a fine background
without pictures, and so a
lighter page; but a very
fine one can make the page
heavier instead.</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>整形</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>改行を入れると、ブラウザでは字間が少し空いて表示されます。</source>
        <translation>With line breaks, a browser shows a little more space between the characters.</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>作成や保存を止めます (Esc)</source>
        <translation>Stops the making or the saving (Esc)</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>色をクリップボードにコピー(&amp;C)</source>
        <translation>&amp;Copy the colour</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>色の型(&amp;C)</source>
        <translation>&amp;Colour notation</translation>
    </message>
    <message>
        <source>ウィンドウタイプ(&amp;W)</source>
        <translation>&amp;Window type</translation>
    </message>
    <message>
        <source>出力形式(&amp;O)</source>
        <translation>&amp;Output</translation>
    </message>
    <message>
        <source>言語 / &amp;Language</source>
        <translation>言語 / &amp;Language</translation>
    </message>
    <message>
        <source>ウィンドウの位置(&amp;P)</source>
        <translation>Window &amp;position</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>色の読み込み(&amp;O)</source>
        <translation>&amp;Open colours</translation>
    </message>
    <message>
        <source>色の読み込み</source>
        <translation>Open colours</translation>
    </message>
    <message>
        <source>色の保存(&amp;S)</source>
        <translation>&amp;Save colours</translation>
    </message>
    <message>
        <source>色の保存</source>
        <translation>Save colours</translation>
    </message>
    <message>
        <source>16進数(HTML)(&amp;X)</source>
        <translation>He&amp;xadecimal (HTML)</translation>
    </message>
    <message>
        <source>RGB関数(&amp;R)</source>
        <translation>&amp;RGB function</translation>
    </message>
    <message>
        <source>VisualBasic(&amp;V)</source>
        <translation>&amp;VisualBasic</translation>
    </message>
    <message>
        <source>C++Builder Delphiなど(&amp;C)</source>
        <translation>&amp;C++Builder, Delphi and others</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ツールバー(&amp;B)</source>
        <translation>Tool &amp;bar</translation>
    </message>
    <message>
        <source>16進数(&amp;HTML)</source>
        <translation>&amp;Hexadecimal (HTML)</translation>
    </message>
    <message>
        <source>RGB関数(&amp;I)</source>
        <translation>RGB funct&amp;ion</translation>
    </message>
    <message>
        <source>C++Builder , Delphi(&amp;C)</source>
        <translation>&amp;C++Builder, Delphi</translation>
    </message>
    <message>
        <source>最小(&amp;S)</source>
        <translation>&amp;Smallest</translation>
    </message>
    <message>
        <source>標準(&amp;M)</source>
        <translation>Standard (&amp;M)</translation>
    </message>
    <message>
        <source>拡張(&amp;L)</source>
        <translation>Extended (&amp;L)</translation>
    </message>
    <message>
        <source>右揃え(&amp;R)</source>
        <translation>&amp;Right edge</translation>
    </message>
    <message>
        <source>左揃え(&amp;L)</source>
        <translation>&amp;Left edge</translation>
    </message>
    <message>
        <source>16進数には&quot;#&quot;を付ける(&amp;S)</source>
        <translation>&amp;Sharp sign before hexadecimal</translation>
    </message>
    <message>
        <source>スライダーの同期（Rバーで移動）(&amp;D)</source>
        <translation>Move the bars together (by R) (&amp;D)</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>日本語(&amp;J)</translation>
    </message>
    <message>
        <source>English(&amp;E)</source>
        <translation>English(&amp;E)</translation>
    </message>
    <message>
        <source>常にトップ(&amp;T)</source>
        <translation>Always on &amp;top</translation>
    </message>
    <message>
        <source>HTMLを保存(&amp;H)</source>
        <translation>Save the &amp;HTML</translation>
    </message>
    <message>
        <source>ブラウザで表示(&amp;B)</source>
        <translation>Show in the &amp;browser</translation>
    </message>
    <message>
        <source>従来のHTML (FONTタグ)(&amp;F)</source>
        <translation>Classic HTML (&amp;FONT tags)</translation>
    </message>
    <message>
        <source>HTML5 + CSS(&amp;H)</source>
        <translation>&amp;HTML5 + CSS</translation>
    </message>
    <message>
        <source>CSS gradient(&amp;G)</source>
        <translation>CSS &amp;gradient</translation>
    </message>
    <message>
        <source>文字を一つの要素の CSS gradient で(&amp;T)</source>
        <translation>&amp;Text as one element with a CSS gradient</translation>
    </message>
    <message>
        <source>グラデーション文字を一つの要素にし、CSS の linear-gradient を文字の形に切り抜いて塗ります。なめらかなグラデーションで、一文字ずつの色の段はありません。background-clip: text のないブラウザでは色 1 の単色です。</source>
        <translation>Makes the gradient text one element and paints a CSS linear-gradient cut to the shapes of the characters: a smooth gradient, with no step of colour from one character to the next. A browser without background-clip: text shows it in colour 1 alone.</translation>
    </message>
    <message>
        <source>CSS をクラスで書く(&amp;K)</source>
        <translation>CSS as &amp;classes</translation>
    </message>
    <message>
        <source>CSS を style 属性に書かず、&lt;head&gt; に置くスタイルシートのクラスにします。Content-Security-Policy で style 属性を許さないページでも同じように表示されます。</source>
        <translation>Writes the CSS as classes of a style sheet for the &lt;head&gt;, not in style attributes: a page whose Content-Security-Policy allows no style attribute shows it the same.</translation>
    </message>
    <message>
        <source>トピックの検索(&amp;H)</source>
        <translation>&amp;Help topics</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>CSS rgb()(&amp;G)</source>
        <translation>CSS r&amp;gb()</translation>
    </message>
    <message>
        <source>CSS hsl()(&amp;S)</source>
        <translation>CSS h&amp;sl()</translation>
    </message>
    <message>
        <source>画面から色を取る(&amp;E)</source>
        <translation>Pick from the scr&amp;een</translation>
    </message>
    <message>
        <source>画面から色を取ることができません。この環境では画面を読み取ることも、デスクトップに色を取ってもらうこともできません</source>
        <translation>Cannot pick a colour from the screen: here the program can neither read the screen nor have the desktop pick a colour</translation>
    </message>
    <message>
        <source>16進数</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>メモリが不足しています</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>不明なエラーです</source>
        <translation>An unknown error</translation>
    </message>
    <message>
        <source>表示しているページのHTMLを作成します (F5)</source>
        <translation>Makes the HTML of the page shown (F5)</translation>
    </message>
    <message>
        <source>ウィンドウを最小にする</source>
        <translation>Smallest window</translation>
    </message>
    <message>
        <source>色の編集だけを表示します (Ctrl+S)</source>
        <translation>Shows the colour editor alone (Ctrl+S)</translation>
    </message>
    <message>
        <source>ウィンドウを標準にする</source>
        <translation>Standard window</translation>
    </message>
    <message>
        <source>色の編集と左のページを表示します (Ctrl+M)</source>
        <translation>Shows the colour editor and the pages at the left (Ctrl+M)</translation>
    </message>
    <message>
        <source>ウィンドウを拡張にする</source>
        <translation>Extended window</translation>
    </message>
    <message>
        <source>すべてを表示します (Ctrl+L)</source>
        <translation>Shows everything (Ctrl+L)</translation>
    </message>
    <message>
        <source>画面から色を取る</source>
        <translation>Pick a colour from the screen</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>今の色の%1 (0～255)</source>
        <translation>%1 of the current colour (0 to 255)</translation>
    </message>
    <message>
        <source>%1 (10進数)</source>
        <translation>%1 (decimal)</translation>
    </message>
    <message>
        <source>%1 (16進数)</source>
        <translation>%1 (hexadecimal)</translation>
    </message>
    <message>
        <source>色の地図</source>
        <translation>Colour map</translation>
    </message>
    <message>
        <source>クリックした点の色が今の色になります。矢印キーで点を動かします</source>
        <translation>The colour of the point clicked becomes the current colour. The arrow keys move the point</translation>
    </message>
    <message>
        <source>今の色</source>
        <translation>Current colour</translation>
    </message>
    <message>
        <source>今の色を「色の型」の表記で示します</source>
        <translation>The current colour in the notation of &quot;Colour notation&quot;</translation>
    </message>
    <message>
        <source>色を明るく・暗く</source>
        <translation>Lighter or darker</translation>
    </message>
    <message>
        <source>色を明るくしたり暗くしたりできます (上下の矢印キー)</source>
        <translation>Makes the colour lighter or darker (the up and down arrow keys)</translation>
    </message>
    <message>
        <source>明るくする</source>
        <translation>Lighter</translation>
    </message>
    <message>
        <source>暗くする</source>
        <translation>Darker</translation>
    </message>
    <message>
        <source>色を反転</source>
        <translation>Invert the colour</translation>
    </message>
    <message>
        <source>色をクリップボードにコピー</source>
        <translation>Copy the colour to the clipboard</translation>
    </message>
    <message>
        <source>色のページ</source>
        <translation>Colour pages</translation>
    </message>
    <message>
        <source>グラデーションの色1 (左上)</source>
        <translation>Gradient colour 1 (top left)</translation>
    </message>
    <message>
        <source>グラデーションの色2 (右上)</source>
        <translation>Gradient colour 2 (top right)</translation>
    </message>
    <message>
        <source>グラデーションの色3 (左下)</source>
        <translation>Gradient colour 3 (bottom left)</translation>
    </message>
    <message>
        <source>グラデーションの色4 (右下)</source>
        <translation>Gradient colour 4 (bottom right)</translation>
    </message>
    <message>
        <source>クリックすると今の色をこの色にします</source>
        <translation>A click makes this colour the current colour</translation>
    </message>
    <message>
        <source>四隅のグラデーション</source>
        <translation>Four-corner gradient</translation>
    </message>
    <message>
        <source>クリックした点の色を「色の情報」に示します。矢印キーで点を動かします</source>
        <translation>The colour of the point clicked is shown under &quot;Colour&quot;. The arrow keys move the point</translation>
    </message>
    <message>
        <source>色の情報の色</source>
        <translation>The colour shown</translation>
    </message>
    <message>
        <source>クリックするとこの色を今の色にします</source>
        <translation>A click makes this colour the current colour</translation>
    </message>
    <message>
        <source>合成する色1</source>
        <translation>Blend colour 1</translation>
    </message>
    <message>
        <source>合成する色2</source>
        <translation>Blend colour 2</translation>
    </message>
    <message>
        <source>クリックすると今の色をここに入れます</source>
        <translation>A click puts the current colour here</translation>
    </message>
    <message>
        <source>合成の割合</source>
        <translation>Blend ratio</translation>
    </message>
    <message>
        <source>左が色1、右が色2です</source>
        <translation>Colour 1 at the left, colour 2 at the right</translation>
    </message>
    <message>
        <source>合成した色</source>
        <translation>Blended colour</translation>
    </message>
    <message>
        <source>テンプレート</source>
        <translation>Templates</translation>
    </message>
    <message>
        <source>選んだ色が今の色になります</source>
        <translation>The colour chosen becomes the current colour</translation>
    </message>
    <message>
        <source>HTMLのページ</source>
        <translation>HTML pages</translation>
    </message>
    <message>
        <source>BODYの色の見本</source>
        <translation>Sample of the BODY colours</translation>
    </message>
    <message>
        <source>グラデーションさせる文字列</source>
        <translation>Text to colour</translation>
    </message>
    <message>
        <source>テキストファイル名</source>
        <translation>Text file name</translation>
    </message>
    <message>
        <source>テキストファイルを選ぶ</source>
        <translation>Choose a text file</translation>
    </message>
    <message>
        <source>使用する色</source>
        <translation>Colours to use</translation>
    </message>
    <message>
        <source>サイズ (HTML方式)</source>
        <translation>Size (as in HTML)</translation>
    </message>
    <message>
        <source>%1を増やす</source>
        <translation>More %1</translation>
    </message>
    <message>
        <source>%1を減らす</source>
        <translation>Less %1</translation>
    </message>
    <message>
        <source>出力されたHTML</source>
        <translation>HTML made</translation>
    </message>
    <message>
        <source>作成したHTMLです。編集、コピー、検索 (Ctrl+F) ができます</source>
        <translation>The HTML made: it can be edited, copied and searched (Ctrl+F)</translation>
    </message>
    <message>
        <source>出力されたHTMLをすべてクリップボードにコピーします</source>
        <translation>Copies all the HTML made to the clipboard</translation>
    </message>
    <message>
        <source>出力されたHTMLを消します (Ctrl+Zで元に戻せます)</source>
        <translation>Clears the HTML made (Ctrl+Z brings it back)</translation>
    </message>
    <message>
        <source>作成や保存の進み具合</source>
        <translation>Progress of the making or the saving</translation>
    </message>
    <message>
        <source>ティンソラ色情報ファイル(*.tcs)</source>
        <translation>Tinsora colour files (*.tcs)</translation>
    </message>
    <message>
        <source>を満たします。</source>
        <translation> is met.</translation>
    </message>
    <message>
        <source>を満たしません。</source>
        <translation> is not met.</translation>
    </message>
    <message>
        <source>%1と%2のコントラスト比は %3 です。</source>
        <translation>The contrast of %1 against %2 is %3.</translation>
    </message>
    <message>
        <source>通常の文字の AA（4.5:1 以上）</source>
        <translation>AA for normal text (4.5:1 or more)</translation>
    </message>
    <message>
        <source>通常の文字の AAA（7:1 以上）</source>
        <translation>AAA for normal text (7:1 or more)</translation>
    </message>
    <message>
        <source>大きな文字の AA（3:1 以上）</source>
        <translation>AA for large text (3:1 or more)</translation>
    </message>
    <message>
        <source>×</source>
        <translation>×</translation>
    </message>
    <message>
        <source>AA大</source>
        <translation>AA-L</translation>
    </message>
    <message>
        <source>HTMLファイル UTF-8(*.html *.htm)</source>
        <translation>HTML files UTF-8 (*.html *.htm)</translation>
    </message>
    <message>
        <source>HTMLファイル Shift_JIS(*.html *.htm)</source>
        <translation>HTML files Shift_JIS (*.html *.htm)</translation>
    </message>
    <message>
        <source>すべてのファイル UTF-8(*)</source>
        <translation>All files UTF-8 (*)</translation>
    </message>
    <message>
        <source>すべてのファイル Shift_JIS(*)</source>
        <translation>All files Shift_JIS (*)</translation>
    </message>
    <message>
        <source>テキスト(text)の見本です。</source>
        <translation>This is a sample of the text (text).</translation>
    </message>
    <message>
        <source>リンク(link)の見本</source>
        <translation>A sample link (link)</translation>
    </message>
    <message>
        <source>既読リンク(vlink)の見本 (このページへのリンク)</source>
        <translation>A sample visited link (vlink) (a link to this page)</translation>
    </message>
    <message>
        <source>選択リンク(alink)の色は、リンクを押している間に見えます。</source>
        <translation>The colour of an active link (alink) shows while a link is pressed.</translation>
    </message>
    <message>
        <source>表示するHTMLがありません。先に「作成」でHTMLを作ってください</source>
        <translation>There is no HTML to show. Make the HTML with &quot;Make&quot; first</translation>
    </message>
    <message>
        <source>ブラウザで %1 を開けません</source>
        <translation>Cannot open %1 in the browser</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>この数では綺麗に表示されないかもしれません。
よろしいですか？</source>
        <translation>With this number it may not look fine.
Go on?</translation>
    </message>
    <message>
        <source>保存するHTMLがありません。先に「作成」でHTMLを作ってください</source>
        <translation>There is no HTML to save. Make the HTML with &quot;Make&quot; first</translation>
    </message>
    <message>
        <source>テキストファイル(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>すべてのファイル(*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>AAA</source>
        <translation>AAA</translation>
    </message>
    <message>
        <source>AA</source>
        <translation>AA</translation>
    </message>
    <message>
        <source>文字の色と背景色(bgcolor)の最も低いコントラスト比は %1 です (#%2)。</source>
        <translation>The lowest contrast of the text colours against the background (bgcolor) is %1 (#%2).</translation>
    </message>
    <message>
        <source>背景色との最低コントラスト %1</source>
        <translation>Lowest contrast %1</translation>
    </message>
    <message>
        <source>（ファイル名をフルパスで入力してください）</source>
        <translation>(Type the full path of the file)</translation>
    </message>
</context>
</TS>
