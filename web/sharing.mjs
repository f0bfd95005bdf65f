// Sharing this maze's link: the system's share sheet where the browser has
// one (phones), else a copy to the clipboard, and in either case the words
// that say what happened. `system` is the browser's navigator, or a stand-in.
export async function shareMaze(system, url) {
  if (typeof system.share === 'function') {
    try {
      await system.share({ title: 'Quorralith', text: 'A maze to walk in Quorralith', url });
      return 'Shared.';
    } catch (error) {
      // The player closed the sheet: nothing to tell but that.
      if (error?.name === 'AbortError') return 'Not shared.';
    }
  }
  try {
    await system.clipboard.writeText(url);
    return 'Link copied: paste it anywhere.';
  } catch {
    return 'Copy the link above to share it.';
  }
}
