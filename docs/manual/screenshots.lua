-- Resolves the manual's screenshot references, ![caption](shot:TAG), against screenshots.list:
-- a listed shot becomes its PNG in the shots folder, a pending one is left out, any other tag
-- stops the build. Every listed shot must be used at least once.
-- VELOKROM_SHOT_LIST names the list, VELOKROM_SHOTS the folder of PNGs.

local list = os.getenv('VELOKROM_SHOT_LIST')
local folder = os.getenv('VELOKROM_SHOTS')
local state = {}  -- tag -> 'shot' or 'pending'
local order = {}
local used = {}

for line in io.lines(list) do
  local kind, tag = line:match('^(%a+)%s+(%S+)%s*$')
  if kind == 'shot' or kind == 'pending' then
    state[tag] = kind
    if kind == 'shot' then table.insert(order, tag) end
  elseif line:match('%S') and not line:match('^#') then
    error('screenshots.list: cannot read the line "' .. line .. '"')
  end
end

function Image(image)
  local tag = image.src:match('^shot:(.+)$')
  if not tag then return nil end
  if state[tag] == 'shot' then
    used[tag] = true
    image.src = folder .. '/' .. tag .. '.png'
    return image
  elseif state[tag] == 'pending' then
    return {}
  end
  error('the text shows the screenshot "' .. tag .. '", which screenshots.list does not declare')
end

-- A paragraph that held only a left-out picture goes too.
function Para(paragraph)
  if #paragraph.content == 0 then return {} end
end

function Pandoc(document)
  for _, tag in ipairs(order) do
    if not used[tag] then error('screenshots.list declares "' .. tag .. '", which the text never shows') end
  end
  return document
end
