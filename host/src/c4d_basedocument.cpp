#include "c4d_basedocument.h"

#include "c4d_basedraw.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "c4d_renderdata.h"
#include "c4d_tagdata.h"
#include "plugin_registry.h"
#include "undo.h"

namespace {

BaseDocument* g_activeDocument = nullptr;

// Pre-order walk of an object tree.
template <typename F> void forEachObject(BaseObject* op, F&& f) {
    for (; op; op = op->GetNext()) {
        f(op);
        forEachObject(op->GetDown(), f);
    }
}

} // namespace

BaseDocument* GetActiveDocument() {
    return g_activeDocument;
}

void SetActiveDocument(BaseDocument* doc) {
    g_activeDocument = doc;
}

BaseDocument::BaseDocument()
    : BaseList2D(Tbasedocument), objects_(nullptr, this, false), shaders_(nullptr, this, false),
      renderData_(nullptr, this, false), renderView_(new BaseDraw()) {
    auto* rd = new RenderData();
    InsertRenderData(rd);
    GetDataInstance()->SetFloat(DOCUMENT_ENVIRONMENT_GRID, 100.0);
    GetDataInstance()->SetVector(DOCUMENT_AMBIENT, {0.2, 0.2, 0.2});
}

BaseDocument::~BaseDocument() {
    if (g_activeDocument == this)
        g_activeDocument = nullptr;
    openStep_.reset();
    undoSteps_.clear();
    objects_.FlushAll();
    shaders_.FlushAll();
    renderData_.FlushAll();
    delete renderView_;
}

BaseObject* BaseDocument::GetFirstObject() const {
    return static_cast<BaseObject*>(objects_.GetFirst());
}

void BaseDocument::InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred) {
    if (!op)
        return;
    if (pred && pred != op && pred->GetDocument() == this)
        op->InsertAfter(pred);
    else if (parent && parent != op && parent->GetDocument() == this)
        op->InsertUnder(parent);
    else
        objects_.InsertFirst(op);
    SetDirty(DIRTYFLAGS_CHILDREN);
}

BaseObject* BaseDocument::SearchObject(const String& name) const {
    BaseObject* found = nullptr;
    forEachObject(GetFirstObject(), [&](BaseObject* op) {
        if (!found && op->GetName() == name)
            found = op;
    });
    return found;
}

BaseObject* BaseDocument::GetActiveObject() const {
    return static_cast<BaseObject*>(activeObject_.GetLink(this, Obase));
}

void BaseDocument::SetActiveObject(BaseObject* op, Int32 mode) {
    if (mode == SELECTION_SUB) {
        if (op)
            op->DelBit(BIT_ACTIVE);
        if (op && GetActiveObject() == op)
            activeObject_.SetLink(nullptr);
        return;
    }
    if (mode == SELECTION_NEW)
        forEachObject(GetFirstObject(), [](BaseObject* o) { o->DelBit(BIT_ACTIVE); });
    if (op)
        op->SetBit(BIT_ACTIVE);
    activeObject_.SetLink(op);
}

BaseTag* BaseDocument::GetActiveTag() const {
    return static_cast<BaseTag*>(activeTag_.GetLink(this, Tbase));
}

void BaseDocument::SetActiveTag(BaseTag* tag, Int32 mode) {
    if (mode == SELECTION_SUB) {
        if (tag)
            tag->DelBit(BIT_ACTIVE);
        if (tag && GetActiveTag() == tag)
            activeTag_.SetLink(nullptr);
        return;
    }
    if (mode == SELECTION_NEW) {
        forEachObject(GetFirstObject(), [](BaseObject* o) {
            for (BaseTag* t = o->GetFirstTag(); t; t = t->GetNext())
                t->DelBit(BIT_ACTIVE);
        });
    }
    if (tag)
        tag->SetBit(BIT_ACTIVE);
    activeTag_.SetLink(tag);
}

void BaseDocument::InsertShader(BaseList2D* shader, BaseList2D* pred) {
    if (!shader)
        return;
    if (pred && pred != shader && pred->GetListHead() == &shaders_)
        shader->InsertAfter(pred);
    else
        shaders_.InsertFirst(shader);
}

BaseList2D* BaseDocument::GetFirstShaderNode() const {
    return static_cast<BaseList2D*>(shaders_.GetFirst());
}

RenderData* BaseDocument::GetFirstRenderData() const {
    return static_cast<RenderData*>(renderData_.GetFirst());
}

void BaseDocument::InsertRenderData(RenderData* rd, RenderData* pred) {
    if (!rd)
        return;
    if (pred && pred != rd && pred->GetListHead() == &renderData_)
        rd->InsertAfter(pred);
    else
        renderData_.InsertFirst(rd);
    if (!GetActiveRenderData())
        activeRenderData_.SetLink(rd);
}

void BaseDocument::InsertRenderDataLast(RenderData* rd) {
    if (!rd)
        return;
    renderData_.InsertLast(rd);
    if (!GetActiveRenderData())
        activeRenderData_.SetLink(rd);
}

RenderData* BaseDocument::GetActiveRenderData() const {
    auto* rd = static_cast<RenderData*>(activeRenderData_.GetLink(this, Rbase));
    return rd ? rd : GetFirstRenderData();
}

void BaseDocument::SetActiveRenderData(RenderData* rd) {
    if (rd && rd->GetDocument() == this)
        activeRenderData_.SetLink(rd);
}

// ---- Undo ---------------------------------------------------------------------------------

Bool BaseDocument::StartUndo() {
    if (undoDepth_++ == 0)
        openStep_ = std::make_unique<host::UndoStep>(this);
    return true;
}

Bool BaseDocument::AddUndo(UNDOTYPE type, BaseList2D* node) {
    if (!openStep_ || !node)
        return false;
    return openStep_->Add(type, node);
}

Bool BaseDocument::EndUndo() {
    if (undoDepth_ == 0)
        return false;
    if (--undoDepth_ == 0 && openStep_) {
        if (!openStep_->IsEmpty())
            undoSteps_.push_back(std::move(openStep_));
        openStep_.reset();
    }
    return true;
}

Bool BaseDocument::DoUndo() {
    if (undoSteps_.empty())
        return false;
    std::unique_ptr<host::UndoStep> step = std::move(undoSteps_.back());
    undoSteps_.pop_back();
    step->Revert();
    DocumentInfoData info;
    info.type = MSG_DOCUMENTINFO_TYPE_UNDO;
    info.doc = this;
    forEachObject(GetFirstObject(), [&](BaseObject* op) {
        op->Message(MSG_DOCUMENTINFO, &info);
        for (BaseTag* t = op->GetFirstTag(); t; t = t->GetNext())
            t->Message(MSG_DOCUMENTINFO, &info);
    });
    return true;
}

// ---- Evaluation ---------------------------------------------------------------------------

Bool BaseDocument::ExecutePasses(BaseThread* bt, Bool animation, Bool expressions, Bool caches,
                                 Int32 flags) {
    (void)animation;
    (void)caches;
    (void)flags;
    if (!expressions)
        return true;
    Bool ok = true;
    forEachObject(GetFirstObject(), [&](BaseObject* op) {
        for (BaseTag *t = op->GetFirstTag(), *next = nullptr; t; t = next) {
            next = t->GetNext();
            const host::PluginEntry* e = host::FindPlugin(t->GetType(), host::PluginKind::Tag);
            TagData* data = t->GetTagData();
            if (!e || !data || !(e->info & TAG_EXPRESSION))
                continue;
            const auto* pd =
                static_cast<const PriorityData*>(t->GetDataInstance()->GetCustomDataType(
                    EXPRESSION_PRIORITY, CUSTOMDATATYPE_PRIORITY));
            const Int32 priority = pd ? pd->GetPriorityValue(PRIORITYVALUE_PRIORITY).GetInt32() : 0;
            if (data->Execute(t, this, op, bt, priority, EXECUTIONFLAGS_NONE) != EXECUTIONRESULT_OK)
                ok = false;
        }
    });
    return ok;
}
