#pragma once

namespace Kova {

class KvMedia;

// One medium at a (row, sequence index) place of a stage's timeline, as carried by the
// media signals and the undo commands. The row is the screen's index in the stage's
// screen list (ascending z-index); -1 until known.
//
// With ownsMedia set, destroying the record deletes its medium. A copy of a record never
// owns the medium, so that a medium is deleted at most once.
class KvPreservedMedia
{
public:
    KvPreservedMedia(KvMedia* media, int screenIndex, int sequenceIndex, bool selected,
                     bool ownsMedia);
    KvPreservedMedia(const KvPreservedMedia& other);
    KvPreservedMedia& operator=(const KvPreservedMedia& other);
    ~KvPreservedMedia();

    KvMedia* media() const { return m_media; }
    int screenIndex() const { return m_screenIndex; }
    int sequenceIndex() const { return m_sequenceIndex; }
    bool isSelected() const { return m_selected; }
    bool ownsMedia() const { return m_ownsMedia; }

    void setScreenIndex(int index) { m_screenIndex = index; }
    void setSequenceIndex(int index) { m_sequenceIndex = index; }
    void setSelected(bool selected) { m_selected = selected; }
    // Hand the medium over (true) or back (false), e.g. when it returns to its screen.
    void setOwnsMedia(bool ownsMedia) { m_ownsMedia = ownsMedia; }

private:
    KvMedia* m_media = nullptr;
    int m_screenIndex = -1;
    int m_sequenceIndex = -1;
    bool m_selected = false;
    bool m_ownsMedia = false;
};

} // namespace Kova
