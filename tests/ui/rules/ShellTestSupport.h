#pragma once

#include "ui/rules/IListBox.h"
#include "ui/rules/IMessageBox.h"

#include <deque>
#include <string>
#include <vector>

// A list box in memory: the seam where the pages' rules meet a widget. Text
// widths are 7 pixels a character.
class CMemoryListBox : public IListBox
{
public:
    std::vector<std::string> m_items;
    int m_nSelection = -1;
    int m_nExtent = 0;

    int GetCount() const override { return static_cast<int>(m_items.size()); }
    std::string GetText(int nIndex) const override { return m_items.at(nIndex); }
    int AddString(const std::string& strText) override
    {
        m_items.push_back(strText);
        return GetCount() - 1;
    }
    void DeleteString(int nIndex) override
    {
        m_items.erase(m_items.begin() + nIndex);
        if (m_nSelection == nIndex)
            m_nSelection = -1;
        else if (m_nSelection > nIndex)
            --m_nSelection;
    }
    void ResetContent() override
    {
        m_items.clear();
        m_nSelection = -1;
    }
    int GetCurSel() const override { return m_nSelection; }
    void SetCurSel(int nIndex) override { m_nSelection = nIndex; }
    int GetHorizontalExtent() const override { return m_nExtent; }
    void SetHorizontalExtent(int nPixels) override { m_nExtent = nPixels; }
    int MeasureText(const std::string& strText) const override
    {
        return 7 * static_cast<int>(strText.size());
    }
};

// Answers each box from a script (true = Yes/OK) and records what was shown.
// A box with no scripted answer is answered Yes.
class CScriptedMessageBox : public IMessageBox
{
public:
    std::deque<bool> m_answers;
    std::vector<SPrompt> m_shown;

    bool Show(const SPrompt& prompt) override
    {
        m_shown.push_back(prompt);
        if (m_answers.empty())
            return true;
        const bool bAnswer = m_answers.front();
        m_answers.pop_front();
        return bAnswer;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const SPrompt& prompt : m_shown)
            texts.push_back(prompt.strText);
        return texts;
    }
};
