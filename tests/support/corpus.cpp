// Word lists and the rules that turn them into dictionary entries and text.
#include "corpus.h"

#include <algorithm>
#include <random>
#include <set>

namespace corpus {
namespace {

const char* const kNouns[] = {
    "学校",     "先生",   "友達",     "電車",     "天気",   "時間",     "仕事",     "会社",
    "家族",     "子供",   "毎日",     "今日",     "明日",   "昨日",     "本",       "映画",
    "音楽",     "料理",   "旅行",     "病院",     "駅",     "店",       "部屋",     "窓",
    "水",       "雨",     "雪",       "花",       "山",     "川",       "海",       "町",
    "道",       "車",     "自転車",   "電話",     "手紙",   "新聞",     "宿題",     "試験",
    "問題",     "答え",   "意味",     "言葉",     "名前",   "お金",     "値段",     "買い物",
    "弁当",     "お茶",   "ご飯",     "朝ご飯",   "晩ご飯", "野菜",     "果物",     "魚",
    "肉",       "卵",     "牛乳",     "犬",       "猫",     "鳥",       "夏",       "冬",
    "春",       "秋",     "祭り",     "神社",     "お寺",   "公園",     "図書館",   "銀行",
    "郵便局",   "大阪",   "京都",     "神戸",     "奈良",   "東京",     "商店街",   "市場",
    "野球",     "試合",   "選手",     "お客さん", "社長",   "部長",     "課長",     "兄",
    "姉",       "弟",     "妹",       "父",       "母",     "祖母",     "祖父",     "近所",
    "隣",       "家",     "庭",       "台所",     "風呂",   "布団",     "服",       "靴",
    "傘",       "鞄",     "財布",     "眼鏡",     "時計",   "写真",     "ﾃﾚﾋﾞ",     "ﾗｼﾞｵ",
    "パン",     "ケーキ", "コーヒー", "ビール",   "お酒",   "うどん",   "たこ焼き", "お好み焼き",
    "ラーメン", "カレー", "バス",     "タクシー", "ホテル", "デパート", "コンビニ", "スーパー",
    "会議",     "約束",   "予定",     "準備",     "掃除",   "洗濯",     "散歩",     "運動",
    "勉強",     "練習",   "病気",     "風邪",     "薬",     "医者",     "熱",       "頭",
    "お腹",     "足",     "手",       "目",       "耳",     "口",       "顔",       "声",
};

const char* const kParticles[] = {"は", "が", "を", "に", "で", "と", "も", "へ", "から", "まで"};

struct Verb {
    const char* plain;     // dictionary form
    const char* negative;  // stem before ない
    const char* te;        // て form
    const char* ta;        // た form
};

const Verb kVerbs[] = {
    {"行く", "行か", "行って", "行った"},
    {"来る", "来", "来て", "来た"},
    {"する", "し", "して", "した"},
    {"食べる", "食べ", "食べて", "食べた"},
    {"飲む", "飲ま", "飲んで", "飲んだ"},
    {"見る", "見", "見て", "見た"},
    {"聞く", "聞か", "聞いて", "聞いた"},
    {"話す", "話さ", "話して", "話した"},
    {"読む", "読ま", "読んで", "読んだ"},
    {"書く", "書か", "書いて", "書いた"},
    {"買う", "買わ", "買って", "買った"},
    {"売る", "売ら", "売って", "売った"},
    {"作る", "作ら", "作って", "作った"},
    {"使う", "使わ", "使って", "使った"},
    {"待つ", "待た", "待って", "待った"},
    {"持つ", "持た", "持って", "持った"},
    {"帰る", "帰ら", "帰って", "帰った"},
    {"出る", "出", "出て", "出た"},
    {"入る", "入ら", "入って", "入った"},
    {"起きる", "起き", "起きて", "起きた"},
    {"寝る", "寝", "寝て", "寝た"},
    {"遊ぶ", "遊ば", "遊んで", "遊んだ"},
    {"働く", "働か", "働いて", "働いた"},
    {"休む", "休ま", "休んで", "休んだ"},
    {"走る", "走ら", "走って", "走った"},
    {"歩く", "歩か", "歩いて", "歩いた"},
    {"泳ぐ", "泳が", "泳いで", "泳いだ"},
    {"歌う", "歌わ", "歌って", "歌った"},
    {"笑う", "笑わ", "笑って", "笑った"},
    {"知る", "知ら", "知って", "知った"},
    {"分かる", "分から", "分かって", "分かった"},
    {"言う", "言わ", "言って", "言った"},
    {"思う", "思わ", "思って", "思った"},
    {"覚える", "覚え", "覚えて", "覚えた"},
    {"忘れる", "忘れ", "忘れて", "忘れた"},
    {"教える", "教え", "教えて", "教えた"},
    {"習う", "習わ", "習って", "習った"},
    {"会う", "会わ", "会って", "会った"},
    {"住む", "住ま", "住んで", "住んだ"},
    {"乗る", "乗ら", "乗って", "乗った"},
    {"降りる", "降り", "降りて", "降りた"},
    {"開ける", "開け", "開けて", "開けた"},
    {"閉める", "閉め", "閉めて", "閉めた"},
    {"始める", "始め", "始めて", "始めた"},
    {"終わる", "終わら", "終わって", "終わった"},
    {"払う", "払わ", "払って", "払った"},
    {"借りる", "借り", "借りて", "借りた"},
    {"返す", "返さ", "返して", "返した"},
    {"送る", "送ら", "送って", "送った"},
    {"洗う", "洗わ", "洗って", "洗った"},
    {"捨てる", "捨て", "捨てて", "捨てた"},
    {"片付ける", "片付け", "片付けて", "片付けた"},
    {"頑張る", "頑張ら", "頑張って", "頑張った"},
    {"困る", "困ら", "困って", "困った"},
    {"疲れる", "疲れ", "疲れて", "疲れた"},
    {"いる", "い", "いて", "いた"},
};

const char* const kAdjectives[] = {
    "高い",   "安い", "寒い",     "暑い",   "大きい", "小さい", "新しい",   "古い",
    "早い",   "遅い", "美味しい", "まずい", "面白い", "楽しい", "忙しい",   "難しい",
    "易しい", "近い", "遠い",     "多い",   "少ない", "強い",   "弱い",     "長い",
    "短い",   "広い", "狭い",     "明るい", "暗い",   "重い",   "軽い",     "痛い",
    "眠い",   "若い", "優しい",   "怖い",   "嬉しい", "寂しい", "うるさい", "汚い",
};

// Words that the dialect says differently.
const char* const kWords[][2] = {
    {"ありがとう", "おおきに"},
    {"本当に", "ほんまに"},
    {"本当", "ほんま"},
    {"とても", "めっちゃ"},
    {"だめだ", "あかん"},
    {"だめ", "あかん"},
    {"疲れた", "しんどい"},
    {"捨てる", "ほかす"},
    {"片付ける", "なおす"},
    {"面白い", "おもろい"},
    {"違う", "ちゃう"},
    {"そうだ", "せや"},
    {"そうだね", "せやな"},
    {"いくら", "なんぼ"},
    {"すごく", "えらい"},
    {"さようなら", "ほなさいなら"},
    {"だから", "せやから"},
    {"いいよ", "ええで"},
    {"いい", "ええ"},
    {"ものすごく", "めっちゃ"},
    {"馬鹿", "阿呆"},
    {"しなければならない", "せなあかん"},
    {"してしまった", "してもうた"},
    {"いらっしゃいませ", "おいでやす"},
    {"どうして", "なんで"},
};

struct Form {
    const char* source;
    const char* target;
};

// Endings after a verb's dictionary form, its negative stem, te and ta forms.
const Form kPlainForms[] = {
    {"よ", "で"}, {"んだ", "んや"},       {"んだよ", "んやで"}, {"だろう", "やろ"},
    {"ね", "な"}, {"じゃない", "ちゃう"}, {"から", "さかい"},   {"かもしれない", "かもしれへん"}};
const Form kNegativeForms[] = {{"ない", "へん"},
                               {"なかった", "へんかった"},
                               {"ないよ", "へんで"},
                               {"なければならない", "なあかん"},
                               {"なくてもいい", "んでもええ"}};
const Form kTeForms[] = {{"いる", "る"},     {"いない", "へん"},     {"いた", "た"},
                         {"ください", "な"}, {"しまった", "もうた"}, {"おく", "とく"}};
const Form kTaForms[] = {
    {"んだ", "んや"}, {"よ", "で"}, {"だろう", "やろ"}, {"ね", "な"}, {"から", "さかい"}};
const Form kNounForms[] = {{"だ", "や"},
                           {"だよ", "やで"},
                           {"だった", "やった"},
                           {"だろう", "やろ"},
                           {"なんだ", "やねん"},
                           {"じゃない", "ちゃう"},
                           {"がない", "があらへん"},
                           {"はない", "はあらへん"},
                           {"だから", "やさかい"}};
const Form kAdjectiveForms[] = {{"ね", "なあ"}, {"よ", "で"}, {"んだ", "ねん"}, {"だろう", "やろ"}};

// Stem of an adjective: all but its final い (two bytes).
std::string Stem(const std::string& adjective) { return adjective.substr(0, adjective.size() - 2); }

template <class T, size_t N>
constexpr size_t Count(const T (&)[N]) {
    return N;
}

class Builder {
public:
    void Add(const std::string& source, const std::string& target) {
        if (source == target || source.size() > 255 || target.size() > 255) return;
        if (!seen_.insert(source).second) return;
        entries_.push_back({source, target, 1, 1, 0});
    }
    std::vector<Entry>& entries() { return entries_; }
    size_t size() const { return entries_.size(); }

private:
    std::set<std::string> seen_;
    std::vector<Entry> entries_;
};

// Every word and short form, in a fixed order.
void AddBasics(Builder& b) {
    for (const auto& w : kWords) b.Add(w[0], w[1]);
    for (const Verb& v : kVerbs) {
        for (const Form& f : kNegativeForms)
            b.Add(std::string(v.negative) + f.source, std::string(v.negative) + f.target);
        for (const Form& f : kPlainForms)
            b.Add(std::string(v.plain) + f.source, std::string(v.plain) + f.target);
        for (const Form& f : kTeForms)
            b.Add(std::string(v.te) + f.source, std::string(v.te) + f.target);
        for (const Form& f : kTaForms)
            b.Add(std::string(v.ta) + f.source, std::string(v.ta) + f.target);
    }
    for (const char* a : kAdjectives) {
        for (const Form& f : kAdjectiveForms)
            b.Add(std::string(a) + f.source, std::string(a) + f.target);
        b.Add(Stem(a) + "くない", Stem(a) + "ない");
        b.Add(Stem(a) + "かった", Stem(a) + "かってん");
        b.Add(std::string("とても") + a, std::string("めっちゃ") + a);
        b.Add(std::string("本当に") + a, std::string("ほんまに") + a);
    }
    for (const char* n : kNouns) {
        for (const Form& f : kNounForms)
            b.Add(std::string(n) + f.source, std::string(n) + f.target);
    }
}

// A noun, a particle and an inflected verb: "学校に行かない" and the like.
void AddPhrase(Builder& b, std::mt19937& random) {
    auto pick = [&random](size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(random);
    };
    std::string head =
        std::string(kNouns[pick(Count(kNouns))]) + kParticles[pick(Count(kParticles))];
    if (pick(4) == 0) head = std::string(kNouns[pick(Count(kNouns))]) + "の" + head;
    const Verb& v = kVerbs[pick(Count(kVerbs))];
    switch (pick(4)) {
        case 0: {
            const Form& f = kNegativeForms[pick(Count(kNegativeForms))];
            b.Add(head + v.negative + f.source, head + v.negative + f.target);
            break;
        }
        case 1: {
            const Form& f = kPlainForms[pick(Count(kPlainForms))];
            b.Add(head + v.plain + f.source, head + v.plain + f.target);
            break;
        }
        case 2: {
            const Form& f = kTeForms[pick(Count(kTeForms))];
            b.Add(head + v.te + f.source, head + v.te + f.target);
            break;
        }
        default: {
            const Form& f = kTaForms[pick(Count(kTaForms))];
            b.Add(head + v.ta + f.source, head + v.ta + f.target);
            break;
        }
    }
}

}  // namespace

std::vector<Entry> MakeDictionary(int count, uint32_t seed) {
    std::mt19937 random(seed);
    Builder b;
    AddBasics(b);
    std::shuffle(b.entries().begin(), b.entries().end(), random);
    for (int attempts = 0; static_cast<int>(b.size()) < count && attempts < 1000000; ++attempts)
        AddPhrase(b, random);
    std::vector<Entry> entries = b.entries();
    if (static_cast<int>(entries.size()) > count) entries.resize(count);
    std::shuffle(entries.begin(), entries.end(), random);
    for (Entry& e : entries) {
        e.level = static_cast<uint8_t>(1 + random() % 3);
        e.typeMask = static_cast<uint8_t>(1 + random() % 7);
        e.condition = static_cast<uint8_t>(random() % 2);
    }
    return entries;
}

std::string MakeText(size_t bytes, uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&random](size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(random);
    };
    const char* const kStarts[] = {"今日は", "昨日、", "明日は", "でも、", "それで", "実は",
                                   "",       "",       "ほら、", "あの、", "私は",   "うちの"};
    const char* const kEnds[] = {"。", "。", "。", "！", "？", "」と言った。", "です。", "ます。"};
    std::string text;
    for (;;) {
        std::string s = kStarts[pick(Count(kStarts))];
        if (pick(5) == 0) s += "「";
        int clauses = 1 + static_cast<int>(pick(3));
        for (int c = 0; c < clauses; ++c) {
            s += kNouns[pick(Count(kNouns))];
            s += kParticles[pick(Count(kParticles))];
            if (pick(3) == 0) {
                s += std::string(kNouns[pick(Count(kNouns))]) + "の";
                s += kNouns[pick(Count(kNouns))];
                s += kParticles[pick(Count(kParticles))];
            }
            if (pick(6) == 0) s += std::to_string(1 + pick(12)) + "時に";
            if (pick(4) == 0) s += pick(2) ? "とても" : "本当に";
            const Verb& v = kVerbs[pick(Count(kVerbs))];
            switch (pick(6)) {
                case 0:
                    s += std::string(v.negative) +
                         kNegativeForms[pick(Count(kNegativeForms))].source;
                    break;
                case 1:
                    s += std::string(v.plain) + kPlainForms[pick(Count(kPlainForms))].source;
                    break;
                case 2:
                    s += std::string(v.te) + kTeForms[pick(Count(kTeForms))].source;
                    break;
                case 3:
                    s += std::string(v.ta) + kTaForms[pick(Count(kTaForms))].source;
                    break;
                case 4:
                    s += std::string(kAdjectives[pick(Count(kAdjectives))]) +
                         kAdjectiveForms[pick(Count(kAdjectiveForms))].source;
                    break;
                default:
                    s += kWords[pick(Count(kWords))][0];
                    break;
            }
            if (c + 1 < clauses) s += "、";
        }
        s += kEnds[pick(Count(kEnds))];
        if (text.size() + s.size() > bytes) break;
        text += s;
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text, size_t width) {
    std::vector<std::string> lines;
    size_t start = 0, p = 0;
    while (p < text.size()) {
        uint8_t b = static_cast<uint8_t>(text[p]);
        size_t step = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
        if (p + step - start > width) {
            lines.push_back(text.substr(start, p - start));
            start = p;
        }
        p += step;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace corpus
