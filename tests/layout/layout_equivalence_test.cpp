#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "layout/direct_layout.h"
#include "layout/layout_test_support.h"
#include "layout/preview_layout.h"
#include "layout/recording_canvas.h"
#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {
namespace {

// Random dialogs over every kind of value the layout reads: lengths in every
// unit and the sentinels, weights, layouts, vertical flags, alignments, types
// and label texts, selections and page indexes.
class RandomDialog {
public:
    explicit RandomDialog(unsigned seed) : random_(seed) {
        project_.SetItem("DeviceWidth", Pick({"", "720", "0", "x"}));
        project_.SetItem("DeviceHeight", Pick({"", "1280", "-3"}));
        dialog_ = project_.GetDialogs().CreateDialog("D");
        dialog_->SetItem("TargetLayoutWidth", Pick({"", "100", "320", "0", "7"}));
        dialog_->SetItem("TargetLayoutHeight", Pick({"", "100", "480", "13"}));
        dialog_->SetRootGroup(Group(nullptr, 0));
        dialog_->SetCurrentPage(Pick({0, 0, 0, 1, 2, -1}));
    }

    CZeResourceData& Project() { return project_; }
    CZeDialogData& Dialog() { return *dialog_; }
    const std::vector<CObjectData*>& Elements() const { return elements_; }
    std::mt19937& Random() { return random_; }

    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }
    template <typename T>
    T Pick(std::initializer_list<T> values) {
        return values.begin()[Between(0, static_cast<int>(values.size()) - 1)];
    }
    std::string Pick(std::initializer_list<const char*> values) {
        return values.begin()[Between(0, static_cast<int>(values.size()) - 1)];
    }

private:
    std::string Length() {
        if (Between(0, 2) == 0) {
            return std::to_string(Between(-20, 400)) +
                   Pick({"", "px", "pu", "pt", "mm", "dp", "%", "PX", " px"});
        }
        return Pick({"PARENT", "CONTENT", "", "50", "30px", "12pt", "5mm", "20dp", "25%", "-1",
                     "-2", "-5px", "0", "abc", "7pu", "100px", "3px", "parent"});
    }

    void SetOrAdd(CObjectData& element, const char* name, const std::string& value) {
        if (!element.SetItem(name, value)) {
            element.Items().AddItem(CItemData(ItemKind::kPlainText, name, value));
        }
    }

    void Common(CObjectData& element) {
        element.SetItem(
            "Name", Pick({"", "a", "name", "\x93\xfa\x96\x7b"}) + std::to_string(elements_.size()));
        element.SetItem("Width", Length());
        element.SetItem("Height", Length());
        element.SetItem("Weight", Pick({"", "", "", "0", "1", "2", "3", "-1", "x", "5"}));
        element.SetSelected(Between(0, 9) == 0);
        elements_.push_back(&element);
    }

    CObjectDataList* Group(CObjectDataList* parent, int depth) {
        auto* group = dialog_->GetElementStore().Create<CObjectDataList>(parent);
        AddGroupItems(group->Items(), GroupLayoutAt(Between(-1, IndexOf(GroupLayout::kCount) - 1)));
        Common(*group);
        group->SetItem("Layout", Pick({"FRAME", "LINEAR", "LINEAR", "RADIO", "SCROLL", "HSCROLL",
                                       "PAGE", "TABLE", "TABLEROW", "RELATIVE", "", "bad"}));
        SetOrAdd(*group, "Vertical", Pick({"true", "false", "", "TRUE"}));
        group->SetItem("Align",
                       Pick({"", "LEFT", "CENTER", "RIGHT", "MIDDLE", "BOTTOM", "CENTER|MIDDLE",
                             "RIGHT|BOTTOM", "|RIGHT", "LEFT|MIDDLE", "CENTER||BOTTOM", "junk"}));
        const int children = depth >= 5 ? 0 : Between(depth < 3 ? 2 : 0, 4);
        for (int i = 0; i < children; ++i) {
            if (Between(0, 1) == 0) {
                group->AddObject(Group(group, depth + 1));
            } else {
                group->AddObject(Object(group));
            }
        }
        return group;
    }

    CObjectData* Object(CObjectDataList* parent) {
        auto* object = dialog_->GetElementStore().Create<CObjectData>(parent);
        const ObjectType type = ObjectTypeAt(Between(-1, IndexOf(ObjectType::kCount) - 1));
        AddObjectItems(object->Items(), type, GroupLayout::kLinear);
        Common(*object);
        if (Between(0, 5) == 0) {
            object->SetItem("Type", "FOO");
        }
        const std::string label = Pick({"", "A", "OK", "\x83{\x83^\x83\x93", "a long label text"});
        object->SetItem("Text", label);
        object->SetItem("TextOn", Pick({"", "On"}));
        object->SetItem("File", Pick({"", "a.png"}));
        return object;
    }

    std::mt19937 random_;
    CZeResourceData project_;
    CZeDialogData* dialog_ = nullptr;
    std::vector<CObjectData*> elements_;
};

std::vector<PreviewRect> TakeRects(const std::vector<CObjectData*>& elements) {
    std::vector<PreviewRect> rects;
    for (CObjectData* element : elements) {
        rects.push_back(element->GetPreviewRect());
        element->SetPreviewRect(PreviewRect{-7, -7, -7, -7});
    }
    return rects;
}

bool SameRects(const std::vector<PreviewRect>& a, const std::vector<PreviewRect>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const PreviewRect& x, const PreviewRect& y) {
            return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
        });
}

TEST(LayoutEquivalenceTest, TheCachedLayoutPaintsWhatTheDirectRulesPaint) {
    std::size_t elements = 0;
    std::size_t calls = 0;
    std::size_t selected = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        RandomDialog dialog(seed);
        const int width = dialog.Pick({400, 0, 5, 9, 10, 11, 210, 1024, dialog.Between(0, 900)});
        const int height = dialog.Pick({300, 0, 9, 10, 410, 768, dialog.Between(0, 700)});

        TakeRects(dialog.Elements());
        RecordingCanvas fast;
        PreviewStats fastStats;
        DrawPreview(dialog.Project(), dialog.Dialog(), fast, width, height, &fastStats);
        const std::vector<PreviewRect> fastRects = TakeRects(dialog.Elements());

        RecordingCanvas direct;
        PreviewStats directStats;
        DrawPreviewDirectly(dialog.Project(), dialog.Dialog(), direct, width, height, &directStats);
        const std::vector<PreviewRect> directRects = TakeRects(dialog.Elements());

        ASSERT_EQ(fast.Calls().size(), direct.Calls().size()) << "seed " << seed;
        for (std::size_t i = 0; i < fast.Calls().size(); ++i) {
            ASSERT_EQ(fast.Calls()[i], direct.Calls()[i]) << "seed " << seed << " call " << i;
        }
        ASSERT_TRUE(SameRects(fastRects, directRects)) << "seed " << seed;
        EXPECT_EQ(fastStats.elements, dialog.Elements().size());
        EXPECT_LE(fastStats.measureEvaluations, directStats.measureEvaluations);
        elements += fastStats.elements;
        calls += fast.Calls().size();
        for (const RecordingCanvas::Call& call : fast.Calls()) {
            selected += call.colour == Rgb{255, 200, 200} ? 1 : 0;
        }
    }
    // The trees are no trivial ones.
    EXPECT_GT(elements, 400u * 20);
    EXPECT_GT(selected, 400u);
    EXPECT_GT(calls, elements * 2);
}

TEST(LayoutEquivalenceTest, EveryElementMeasuresAsTheDirectRulesMeasureIt) {
    for (unsigned seed = 1000; seed < 1200; ++seed) {
        RandomDialog dialog(seed);
        const PreviewPage page = PreviewPageOf(dialog.Project(), dialog.Dialog(), 400, 300);
        DirectLayout direct(page.context);
        for (CObjectData* element : dialog.Elements()) {
            PreviewLayout layout;
            layout.Reset(*element, page.context);
            // More keys than a group keeps, asked twice over.
            for (int round = 0; round < 2; ++round) {
                std::mt19937 keys(seed);
                for (int i = 0; i < 12; ++i) {
                    const int availWidth = dialog.Pick({-2, -1, 0, 5, 390, 100 + i});
                    const int availHeight = dialog.Pick({-2, 0, 7, 290, 24});
                    const bool vertical = dialog.Between(0, 1) == 1;
                    const bool topLevel = dialog.Between(0, 1) == 1;
                    ASSERT_EQ(layout.Measure(availWidth, availHeight, vertical, topLevel),
                              direct.Measure(*element, availWidth, availHeight, vertical, topLevel))
                        << "seed " << seed << " " << element->GetItem("Name");
                }
            }
        }
    }
}

}  // namespace
}  // namespace ze
