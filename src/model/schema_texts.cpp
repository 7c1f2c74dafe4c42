#include "model/schema_texts.h"

#include <array>
#include <cstddef>
#include <string>

#include "common/cp932.h"

// Marks a help text for the translation tools (lupdate takes it for
// QT_TRANSLATE_NOOP); the property list shows it translated.
#define ZE_HELP_TEXT(context, text) text

namespace ze::schema_text {

std::string_view HelpTextUtf8(Help help) {
    // A switch rather than an array so that the compiler reports a help id
    // without a text.
    // clang-format off
    switch (help) {
        case Help::kNone:
        case Help::kCount:
            return {};

        case Help::kObjectName:
            return ZE_HELP_TEXT("PropertyHelp", "このオブジェクトの名前（識別子）。コマンドの送受信時にオブジェクトを識別する為に使用。ダイアログ毎でユニークであること。");
        case Help::kObjectAlias:
            return ZE_HELP_TEXT("PropertyHelp", "このオブジェクトの別名（補助識別子）。重複可能、重複させて使用することで、コマンド 'UPDATE'、'CONDITION'送受信時に一括指定可能。カンマ区切りで複数指定可能。");
        case Help::kObjectType:
            return ZE_HELP_TEXT("PropertyHelp", "機能オブジェクトの種類");
        case Help::kSize:
            return ZE_HELP_TEXT("PropertyHelp", "PARENT:包括しているグループオブジェクトの大きさの最大に合わせる。CONTENT:オブジェクト自身の大きさそのまま。数値:プライベートユニット。");
        case Help::kWeight:
            return ZE_HELP_TEXT("PropertyHelp", "グループ内オブジェクトの大きさを'比'で指定します。同じ大きさを指定することで等幅配置などが可能。");
        case Help::kPosX:
            return ZE_HELP_TEXT("PropertyHelp", "包括しているグループオブジェクトの左上座標からの相対X座標。プライベートユニット。");
        case Help::kPosY:
            return ZE_HELP_TEXT("PropertyHelp", "包括しているグループオブジェクトの左上座標からの相対Y座標。プライベートユニット。");
        case Help::kPadding:
            return ZE_HELP_TEXT("PropertyHelp", "パディング。オブジェクトの内側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。");
        case Help::kMargin:
            return ZE_HELP_TEXT("PropertyHelp", "マージン。オブジェクトの外側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。");
        case Help::kHide:
            return ZE_HELP_TEXT("PropertyHelp", "更新する表示属性（通常/消す）");
        case Help::kDisable:
            return ZE_HELP_TEXT("PropertyHelp", "更新する表示属性（通常/無効）");
        case Help::kColour:
            return ZE_HELP_TEXT("PropertyHelp", "色を指定します。");
        case Help::kScaleType:
            return ZE_HELP_TEXT("PropertyHelp", "画像の表示方法を指定します");
        case Help::kClickable:
            return ZE_HELP_TEXT("PropertyHelp", "クリック可能/不可能を指定します。");
        case Help::kCommandPick:
            return ZE_HELP_TEXT("PropertyHelp", "コマンド名を選択するとコマンドが追加されます");
        case Help::kAttr:
            return ZE_HELP_TEXT("PropertyHelp", "属性を指定します");
        case Help::kText:
            return ZE_HELP_TEXT("PropertyHelp", "ボタン上に表示するテキストを指定します。");
        case Help::kTextOff:
            return ZE_HELP_TEXT("PropertyHelp", "属性OFF時にボタン上に表示するテキストを指定します。");
        case Help::kTextOn:
            return ZE_HELP_TEXT("PropertyHelp", "属性ON時にボタン上に表示するテキストを指定します。");
        case Help::kTSize:
            return ZE_HELP_TEXT("PropertyHelp", "テキストのサイズを指定します");
        case Help::kAlignment:
            return ZE_HELP_TEXT("PropertyHelp", "LEFT:左寄せ CENTER:中央 RIGHT:右寄せ TOP:上寄せ MIDDLE:中央 BOTTOM:下寄せ。 '|'で組合せ可能。");
        case Help::kStretch:
            return ZE_HELP_TEXT("PropertyHelp", "カラムの幅を自動伸縮する/しないを指定します");
        case Help::kWrap:
            return ZE_HELP_TEXT("PropertyHelp", "カラムに収まらない長さの文字列の表示方法を指定します。true:改行して表示する false:何もしない");
        case Help::kSpan:
            return ZE_HELP_TEXT("PropertyHelp", "隣のカラムとくっつけて１つのカラムにします。（くっつけるカラムの数を指定します）");
        case Help::kFile:
            return ZE_HELP_TEXT("PropertyHelp", "画像ファイル名を指定します");
        case Help::kFileOff:
            return ZE_HELP_TEXT("PropertyHelp", "通常状態で表示されるオブジェクトの画像ファイル名");
        case Help::kFileOn:
            return ZE_HELP_TEXT("PropertyHelp", "押下などアクティブ状態で表示されるオブジェクトの画像ファイル名");
        case Help::kFileBaseProgress:
            return ZE_HELP_TEXT("PropertyHelp", "プログレスのベース画像ファイル名");
        case Help::kFileBaseSlidebar:
            return ZE_HELP_TEXT("PropertyHelp", "スライドバーのベース画像ファイル名");
        case Help::kFileBaseMeter:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの背景画像ファイル名（目盛）");
        case Help::kFileActiveProgress:
            return ZE_HELP_TEXT("PropertyHelp", "プログレスのアクティブ部分の画像ファイル名");
        case Help::kFileActiveSlidebar:
            return ZE_HELP_TEXT("PropertyHelp", "スライドバーのアクティブ部分の画像ファイル名");
        case Help::kFileThumb:
            return ZE_HELP_TEXT("PropertyHelp", "スライドバーのつまみ画像");
        case Help::kFileCursor:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの動く画像ファイル名（針）");
        case Help::kFileTop:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの最前面画像（枠）");
        case Help::kCenterPosBase:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの背景画像の中心座標");
        case Help::kCenterPosCursor:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの動く画像の中心座標");
        case Help::kCenterPosTop:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの最前面画像の中心座標");
        case Help::kRevers:
            return ZE_HELP_TEXT("PropertyHelp", "Cursor画像の回転方向/移動方向を逆にします");
        case Help::kPattern:
            return ZE_HELP_TEXT("PropertyHelp", "メーターオブジェクトの動作パターンタイプ");
        case Help::kFileSource:
            return ZE_HELP_TEXT("PropertyHelp", "BUILTIN:プリインストール(省略時)。STATION:MOXサーバから取得。URI:Webサイトからダウンロード。STORAGE:端末の外部フォルダから取得");
        case Help::kFilePath:
            return ZE_HELP_TEXT("PropertyHelp", "指定したファイルがWebにある場合に指定");
        case Help::kEnablePinch:
            return ZE_HELP_TEXT("PropertyHelp", "スクロール・ピンチズームを使う/使わないを指定します");
        case Help::kEnableCache:
            return ZE_HELP_TEXT("PropertyHelp", "キャッシュの有効/無効を指定します");
        case Help::kThumbnail:
            return ZE_HELP_TEXT("PropertyHelp", "サムネイル（縮小読込機能）の有効/無効を指定します");
        case Help::kPictureOffsetX:
            return ZE_HELP_TEXT("PropertyHelp", "横方向オフセット値を指定します");
        case Help::kPictureOffsetY:
            return ZE_HELP_TEXT("PropertyHelp", "縦方向オフセット値を指定します");
        case Help::kPictureScaleX:
            return ZE_HELP_TEXT("PropertyHelp", "横方向スケール値を指定します");
        case Help::kPictureScaleY:
            return ZE_HELP_TEXT("PropertyHelp", "縦方向スケール値を指定します");
        case Help::kGraphOffsetX:
            return ZE_HELP_TEXT("PropertyHelp", "X軸のオフセット値を指定します");
        case Help::kGraphOffsetY:
            return ZE_HELP_TEXT("PropertyHelp", "Y軸のオフセット値を指定します");
        case Help::kGraphScaleX:
            return ZE_HELP_TEXT("PropertyHelp", "X軸のスケール値を指定します");
        case Help::kGraphScaleY:
            return ZE_HELP_TEXT("PropertyHelp", "Y軸のスケール値を指定します");
        case Help::kDateScale:
            return ZE_HELP_TEXT("PropertyHelp", "trueを指定するとX軸が日付になります");
        case Help::kAutoScroll:
            return ZE_HELP_TEXT("PropertyHelp", "自動スクロールの有効/無効を指定します");
        case Help::kScaleLock:
            return ZE_HELP_TEXT("PropertyHelp", "trueを指定するとY軸スケールが変更できなくなります");
        case Help::kGridData:
            return ZE_HELP_TEXT("PropertyHelp", "データの初期値を指定します。");
        case Help::kListData:
            return ZE_HELP_TEXT("PropertyHelp", "リスト項目の内容");
        case Help::kColumnHeight:
            return ZE_HELP_TEXT("PropertyHelp", "カラムの高さを指定します。");
        case Help::kPosition:
            return ZE_HELP_TEXT("PropertyHelp", "指定した位置にスクロールします");
        case Help::kMin:
            return ZE_HELP_TEXT("PropertyHelp", "最小値を指定します");
        case Help::kMax:
            return ZE_HELP_TEXT("PropertyHelp", "最大値を指定します");
        case Help::kValue:
            return ZE_HELP_TEXT("PropertyHelp", "値を指定します");
        case Help::kInitialValue:
            return ZE_HELP_TEXT("PropertyHelp", "初期値を指定します");
        case Help::kBarVertical:
            // "flase" is the program's long-standing wording; kept as users know it.
            return ZE_HELP_TEXT("PropertyHelp", "バーの配置方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。");
        case Help::kNotifyList:
            return ZE_HELP_TEXT("PropertyHelp", "CONDITIONコマンドで送信される要素");

        case Help::kGroupName:
            return ZE_HELP_TEXT("PropertyHelp", "このオブジェクトの名前です。");
        case Help::kRadioAlias:
            return ZE_HELP_TEXT("PropertyHelp", "ラジオグループ専用の要素です。値通知コマンド「NOTIFY」で使用します。");
        case Help::kGroupType:
            return ZE_HELP_TEXT("PropertyHelp", "グループオブジェクトの種類");
        case Help::kGroupVertical:
            return ZE_HELP_TEXT("PropertyHelp", "並べる方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。");

        case Help::kTemplateType:
            return ZE_HELP_TEXT("PropertyHelp", "スケルトンソースコードのテンプレートの種類を決定します。");
        case Help::kTargetLayoutWidth:
            return ZE_HELP_TEXT("PropertyHelp", "画面の幅を任意の数値指定。単位'pu'で使用。");
        case Help::kTargetLayoutHeight:
            return ZE_HELP_TEXT("PropertyHelp", "画面の高さを任意の数値指定。単位'pu'で使用。");
        case Help::kPopupTitle:
            return ZE_HELP_TEXT("PropertyHelp", "Popupダイアログのタイトル。TemplateTypeがPOPUP時のみ使用。");
        case Help::kPopupMessage:
            return ZE_HELP_TEXT("PropertyHelp", "Popupダイアログのメッセージ。TemplateTypeがPOPUP時のみ使用。");
        case Help::kPopupButton1:
            return ZE_HELP_TEXT("PropertyHelp", "Popupダイアログの左ボタンテキスト。TemplateTypeがPOPUP時のみ使用。");
        case Help::kPopupButton2:
            return ZE_HELP_TEXT("PropertyHelp", "Popupダイアログの右ボタンテキスト。TemplateTypeがPOPUP時のみ使用。");
        case Help::kPopupButton3:
            return ZE_HELP_TEXT("PropertyHelp", "Popupダイアログの中央ボタンテキスト。TemplateTypeがPOPUP時のみ使用。");

        case Help::kEvent:
            return ZE_HELP_TEXT("PropertyHelp", "コマンド開始トリガー");
        case Help::kCommand:
            return ZE_HELP_TEXT("PropertyHelp", "コマンド名");
        case Help::kMakeCommand:
            return ZE_HELP_TEXT("PropertyHelp", "生成コマンド名");
        case Help::kTargetName:
            return ZE_HELP_TEXT("PropertyHelp", "対象オブジェクトの名前(Name)を指定。カンマ区切りで複数指定可能。");
        case Help::kTargetAlias:
            return ZE_HELP_TEXT("PropertyHelp", "対象オブジェクトの別名(Alias)を指定。複数指定不可。");
        case Help::kCommandFile:
            return ZE_HELP_TEXT("PropertyHelp", "コマンド対象のファイルを指定します。");
        case Help::kTime:
            return ZE_HELP_TEXT("PropertyHelp", "インターバルをミリ秒で指定します。");
        case Help::kDeleteType:
            return ZE_HELP_TEXT("PropertyHelp", "削除タイプ THIS:指定したオブジェクトを削除(省略時)。CHILD:指定したオブジェクトの子オブジェクトを全て削除。");
        case Help::kSendCommand:
            return ZE_HELP_TEXT("PropertyHelp", "ファイル取得コマンドをステーションへ送信します。");
        case Help::kFetchedFile:
            return ZE_HELP_TEXT("PropertyHelp", "取得するファイル名");
        case Help::kNotifiedObject:
            return ZE_HELP_TEXT("PropertyHelp", "受信したことを通知するオブジェクトの名前");
        case Help::kUpdateText:
            return ZE_HELP_TEXT("PropertyHelp", "更新するテキスト値");
        case Help::kUpdateAttr:
            return ZE_HELP_TEXT("PropertyHelp", "更新する属性");
        case Help::kUpdateData:
            return ZE_HELP_TEXT("PropertyHelp", "更新するデータ");
        case Help::kUpdateValue:
            return ZE_HELP_TEXT("PropertyHelp", "更新する値");
        case Help::kUpdatePictureOffsetX:
            return ZE_HELP_TEXT("PropertyHelp", "ピクチャーオブジェクトのオフセットX");
        case Help::kUpdatePictureOffsetY:
            return ZE_HELP_TEXT("PropertyHelp", "ピクチャーオブジェクトのオフセットY");
        case Help::kUpdatePictureScaleX:
            return ZE_HELP_TEXT("PropertyHelp", "ピクチャーオブジェクトのスケールX");
        case Help::kUpdatePictureScaleY:
            return ZE_HELP_TEXT("PropertyHelp", "ピクチャーオブジェクトのスケールY");
        case Help::kUpdateOffsetX:
            return ZE_HELP_TEXT("PropertyHelp", "Xオフセット値を指定します");
        case Help::kUpdateOffsetY:
            return ZE_HELP_TEXT("PropertyHelp", "Yオフセット値を指定します");
        case Help::kUpdateScaleX:
            return ZE_HELP_TEXT("PropertyHelp", "Xスケール値を指定します");
        case Help::kUpdateScaleY:
            return ZE_HELP_TEXT("PropertyHelp", "Yスケール値を指定します");
    }
    // clang-format on
    return {};
}

const char* HelpText(Help help) {
    constexpr auto kCount = static_cast<std::size_t>(Help::kCount);
    // Converted once, on first use; items point into these strings for the
    // rest of the run.
    static const std::array<std::string, kCount> kSjis = [] {
        std::array<std::string, kCount> texts;
        for (std::size_t i = 0; i < kCount; ++i) {
            texts[i] = Utf8ToCp932(HelpTextUtf8(static_cast<Help>(i)));
        }
        return texts;
    }();
    const auto index = static_cast<std::size_t>(help);
    if (help == Help::kNone || index >= kCount) {
        return nullptr;
    }
    return kSjis[index].c_str();
}

}  // namespace ze::schema_text
