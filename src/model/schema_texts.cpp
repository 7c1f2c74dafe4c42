#include "model/schema_texts.h"

#include <array>
#include <cstddef>
#include <string>

#include "common/cp932.h"

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
            return "このオブジェクトの名前（識別子）。コマンドの送受信時にオブジェクトを識別する為に使用。ダイアログ毎でユニークであること。";
        case Help::kObjectAlias:
            return "このオブジェクトの別名（補助識別子）。重複可能、重複させて使用することで、コマンド 'UPDATE'、'CONDITION'送受信時に一括指定可能。カンマ区切りで複数指定可能。";
        case Help::kObjectType:
            return "機能オブジェクトの種類";
        case Help::kSize:
            return "PARENT:包括しているグループオブジェクトの大きさの最大に合わせる。CONTENT:オブジェクト自身の大きさそのまま。数値:プライベートユニット。";
        case Help::kWeight:
            return "グループ内オブジェクトの大きさを'比'で指定します。同じ大きさを指定することで等幅配置などが可能。";
        case Help::kPosX:
            return "包括しているグループオブジェクトの左上座標からの相対X座標。プライベートユニット。";
        case Help::kPosY:
            return "包括しているグループオブジェクトの左上座標からの相対Y座標。プライベートユニット。";
        case Help::kPadding:
            return "パディング。オブジェクトの内側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。";
        case Help::kMargin:
            return "マージン。オブジェクトの外側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下。";
        case Help::kHide:
            return "更新する表示属性（通常/消す）";
        case Help::kDisable:
            return "更新する表示属性（通常/無効）";
        case Help::kColour:
            return "色を指定します。";
        case Help::kScaleType:
            return "画像の表示方法を指定します";
        case Help::kClickable:
            return "クリック可能/不可能を指定します。";
        case Help::kCommandPick:
            return "コマンド名を選択するとコマンドが追加されます";
        case Help::kAttr:
            return "属性を指定します";
        case Help::kText:
            return "ボタン上に表示するテキストを指定します。";
        case Help::kTextOff:
            return "属性OFF時にボタン上に表示するテキストを指定します。";
        case Help::kTextOn:
            return "属性ON時にボタン上に表示するテキストを指定します。";
        case Help::kTSize:
            return "テキストのサイズを指定します";
        case Help::kAlignment:
            return "LEFT:左寄せ CENTER:中央 RIGHT:右寄せ TOP:上寄せ MIDDLE:中央 BOTTOM:下寄せ。 '|'で組合せ可能。";
        case Help::kStretch:
            return "カラムの幅を自動伸縮する/しないを指定します";
        case Help::kWrap:
            return "カラムに収まらない長さの文字列の表示方法を指定します。true:改行して表示する false:何もしない";
        case Help::kSpan:
            return "隣のカラムとくっつけて１つのカラムにします。（くっつけるカラムの数を指定します）";
        case Help::kFile:
            return "画像ファイル名を指定します";
        case Help::kFileOff:
            return "通常状態で表示されるオブジェクトの画像ファイル名";
        case Help::kFileOn:
            return "押下などアクティブ状態で表示されるオブジェクトの画像ファイル名";
        case Help::kFileBaseProgress:
            return "プログレスのベース画像ファイル名";
        case Help::kFileBaseSlidebar:
            return "スライドバーのベース画像ファイル名";
        case Help::kFileBaseMeter:
            return "メーターオブジェクトの背景画像ファイル名（目盛）";
        case Help::kFileActiveProgress:
            return "プログレスのアクティブ部分の画像ファイル名";
        case Help::kFileActiveSlidebar:
            return "スライドバーのアクティブ部分の画像ファイル名";
        case Help::kFileThumb:
            return "スライドバーのつまみ画像";
        case Help::kFileCursor:
            return "メーターオブジェクトの動く画像ファイル名（針）";
        case Help::kFileTop:
            return "メーターオブジェクトの最前面画像（枠）";
        case Help::kCenterPosBase:
            return "メーターオブジェクトの背景画像の中心座標";
        case Help::kCenterPosCursor:
            return "メーターオブジェクトの動く画像の中心座標";
        case Help::kCenterPosTop:
            return "メーターオブジェクトの最前面画像の中心座標";
        case Help::kRevers:
            return "Cursor画像の回転方向/移動方向を逆にします";
        case Help::kPattern:
            return "メーターオブジェクトの動作パターンタイプ";
        case Help::kFileSource:
            return "BUILTIN:プリインストール(省略時)。STATION:MOXサーバから取得。URI:Webサイトからダウンロード。STORAGE:端末の外部フォルダから取得";
        case Help::kFilePath:
            return "指定したファイルがWebにある場合に指定";
        case Help::kEnablePinch:
            return "スクロール・ピンチズームを使う/使わないを指定します";
        case Help::kEnableCache:
            return "キャッシュの有効/無効を指定します";
        case Help::kThumbnail:
            return "サムネイル（縮小読込機能）の有効/無効を指定します";
        case Help::kPictureOffsetX:
            return "横方向オフセット値を指定します";
        case Help::kPictureOffsetY:
            return "縦方向オフセット値を指定します";
        case Help::kPictureScaleX:
            return "横方向スケール値を指定します";
        case Help::kPictureScaleY:
            return "縦方向スケール値を指定します";
        case Help::kGraphOffsetX:
            return "X軸のオフセット値を指定します";
        case Help::kGraphOffsetY:
            return "Y軸のオフセット値を指定します";
        case Help::kGraphScaleX:
            return "X軸のスケール値を指定します";
        case Help::kGraphScaleY:
            return "Y軸のスケール値を指定します";
        case Help::kDateScale:
            return "trueを指定するとX軸が日付になります";
        case Help::kAutoScroll:
            return "自動スクロールの有効/無効を指定します";
        case Help::kScaleLock:
            return "trueを指定するとY軸スケールが変更できなくなります";
        case Help::kGridData:
            return "データの初期値を指定します。";
        case Help::kListData:
            return "リスト項目の内容";
        case Help::kColumnHeight:
            return "カラムの高さを指定します。";
        case Help::kPosition:
            return "指定した位置にスクロールします";
        case Help::kMin:
            return "最小値を指定します";
        case Help::kMax:
            return "最大値を指定します";
        case Help::kValue:
            return "値を指定します";
        case Help::kInitialValue:
            return "初期値を指定します";
        case Help::kBarVertical:
            // "flase" is the program's long-standing wording; kept as users know it.
            return "バーの配置方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。";
        case Help::kNotifyList:
            return "CONDITIONコマンドで送信される要素";

        case Help::kGroupName:
            return "このオブジェクトの名前です。";
        case Help::kRadioAlias:
            return "ラジオグループ専用の要素です。値通知コマンド「NOTIFY」で使用します。";
        case Help::kGroupType:
            return "グループオブジェクトの種類";
        case Help::kGroupVertical:
            return "並べる方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向になります。";

        case Help::kTemplateType:
            return "スケルトンソースコードのテンプレートの種類を決定します。";
        case Help::kTargetLayoutWidth:
            return "画面の幅を任意の数値指定。単位'pu'で使用。";
        case Help::kTargetLayoutHeight:
            return "画面の高さを任意の数値指定。単位'pu'で使用。";
        case Help::kPopupTitle:
            return "Popupダイアログのタイトル。TemplateTypeがPOPUP時のみ使用。";
        case Help::kPopupMessage:
            return "Popupダイアログのメッセージ。TemplateTypeがPOPUP時のみ使用。";
        case Help::kPopupButton1:
            return "Popupダイアログの左ボタンテキスト。TemplateTypeがPOPUP時のみ使用。";
        case Help::kPopupButton2:
            return "Popupダイアログの右ボタンテキスト。TemplateTypeがPOPUP時のみ使用。";
        case Help::kPopupButton3:
            return "Popupダイアログの中央ボタンテキスト。TemplateTypeがPOPUP時のみ使用。";

        case Help::kEvent:
            return "コマンド開始トリガー";
        case Help::kCommand:
            return "コマンド名";
        case Help::kMakeCommand:
            return "生成コマンド名";
        case Help::kTargetName:
            return "対象オブジェクトの名前(Name)を指定。カンマ区切りで複数指定可能。";
        case Help::kTargetAlias:
            return "対象オブジェクトの別名(Alias)を指定。複数指定不可。";
        case Help::kCommandFile:
            return "コマンド対象のファイルを指定します。";
        case Help::kTime:
            return "インターバルをミリ秒で指定します。";
        case Help::kDeleteType:
            return "削除タイプ THIS:指定したオブジェクトを削除(省略時)。CHILD:指定したオブジェクトの子オブジェクトを全て削除。";
        case Help::kSendCommand:
            return "ファイル取得コマンドをステーションへ送信します。";
        case Help::kFetchedFile:
            return "取得するファイル名";
        case Help::kNotifiedObject:
            return "受信したことを通知するオブジェクトの名前";
        case Help::kUpdateText:
            return "更新するテキスト値";
        case Help::kUpdateAttr:
            return "更新する属性";
        case Help::kUpdateData:
            return "更新するデータ";
        case Help::kUpdateValue:
            return "更新する値";
        case Help::kUpdatePictureOffsetX:
            return "ピクチャーオブジェクトのオフセットX";
        case Help::kUpdatePictureOffsetY:
            return "ピクチャーオブジェクトのオフセットY";
        case Help::kUpdatePictureScaleX:
            return "ピクチャーオブジェクトのスケールX";
        case Help::kUpdatePictureScaleY:
            return "ピクチャーオブジェクトのスケールY";
        case Help::kUpdateOffsetX:
            return "Xオフセット値を指定します";
        case Help::kUpdateOffsetY:
            return "Yオフセット値を指定します";
        case Help::kUpdateScaleX:
            return "Xスケール値を指定します";
        case Help::kUpdateScaleY:
            return "Yスケール値を指定します";
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
