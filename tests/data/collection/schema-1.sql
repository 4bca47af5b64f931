-- A collection as the first schema wrote it: one favourite with a tag and a note, one
-- input opened, and one line of its index.
CREATE TABLE marks (rows_key TEXT NOT NULL, name TEXT NOT NULL,
  favourite INTEGER NOT NULL DEFAULT 0, hidden INTEGER NOT NULL DEFAULT 0,
  note TEXT NOT NULL DEFAULT '', PRIMARY KEY (rows_key, name));
CREATE TABLE tags (rows_key TEXT NOT NULL, name TEXT NOT NULL, tag TEXT NOT NULL,
  PRIMARY KEY (rows_key, name, tag));
CREATE TABLE inputs (path TEXT PRIMARY KEY, opened INTEGER NOT NULL);
CREATE TABLE presets (input TEXT NOT NULL, file TEXT NOT NULL, member TEXT NOT NULL,
  size INTEGER NOT NULL, modified INTEGER NOT NULL, model TEXT NOT NULL,
  name TEXT NOT NULL, rows_key TEXT NOT NULL, uses TEXT NOT NULL, style TEXT NOT NULL,
  PRIMARY KEY (input, file, member));
INSERT INTO marks VALUES ('000000001234abcd', 'Lead', 1, 0, 'from the first version');
INSERT INTO tags VALUES ('000000001234abcd', 'Lead', 'blues');
INSERT INTO inputs VALUES ('/p', 1700000000);
INSERT INTO presets VALUES ('/p', '/p/a.rp250p', '', 1200, 42, 'RP250', 'Lead',
  '000000001234abcd', '57 Tweed Champ', 'clean');
PRAGMA user_version = 1;
